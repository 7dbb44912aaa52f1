#include "interactive/random_order.h"

#include <algorithm>
#include <cstdint>

#include "numeric/arrays.h"

namespace bramble {

namespace {

constexpr int WORD_BITS = 64;
constexpr int BLOCK_WORDS = 8;
constexpr int BLOCK_ENTRIES = WORD_BITS * BLOCK_WORDS;

constexpr std::uint64_t EVERY_BYTE = 0x0101010101010101ULL;

// The number of set bits of each byte of x, in that byte.
std::uint64_t byte_counts(std::uint64_t x) {
  x = x - ((x >> 1) & 0x5555555555555555ULL);
  x = (x & 0x3333333333333333ULL) + ((x >> 2) & 0x3333333333333333ULL);
  return (x + (x >> 4)) & 0x0f0f0f0f0f0f0f0fULL;
}

int bit_count(std::uint64_t x) { return static_cast<int>((byte_counts(x) * EVERY_BYTE) >> 56); }

// All ones when condition holds, else zero: the draws below pick their way by masks, since a
// branch on random data is mispredicted half the time.
int mask_of(bool condition) { return -static_cast<int>(condition); }

// rank_in_byte[b][r]: position of the r-th (0-based) set bit of the byte b.
struct ByteSelectTable {
  std::uint8_t rank_in_byte[256][8] = {};
  constexpr ByteSelectTable() {
    for (int b = 0; b < 256; ++b) {
      int r = 0;
      for (int bit = 0; bit < 8; ++bit) {
        if ((b >> bit) & 1) rank_in_byte[b][r++] = static_cast<std::uint8_t>(bit);
      }
    }
  }
};
constexpr ByteSelectTable BYTE_SELECT;

// Position of the rank-th (0-based) set bit of bits: the byte that holds it is the first whose
// running count exceeds rank, then a table look-up within that byte.
int select_bit(std::uint64_t bits, int rank) {
  const std::uint64_t running = byte_counts(bits) * EVERY_BYTE;  // byte k: bits in bytes 0..k
  // Per byte, (rank + 128 - running) keeps its high bit exactly when running <= rank.
  const std::uint64_t high_bits = 0x8080808080808080ULL;
  const std::uint64_t whole_bytes_before =
      ((static_cast<std::uint64_t>(rank) * EVERY_BYTE | high_bits) - running) & high_bits;
  const int byte = static_cast<int>(((whole_bytes_before >> 7) * EVERY_BYTE) >> 56);
  const int before = static_cast<int>(((running << 8) >> (8 * byte)) & 0xff);
  const int value = static_cast<int>((bits >> (8 * byte)) & 0xff);
  return 8 * byte + BYTE_SELECT.rank_in_byte[value][rank - before];
}

// The pool of entries not yet drawn: one presence bit per entry, and a Fenwick tree of the counts
// of blocks of 512 entries, so that the j-th remaining entry is found and removed in O(log n)
// instead of shifting the pool. Blocks keep the tree small enough to stay in the fastest cache.
class Pool {
 public:
  explicit Pool(int n) : words_(((n + BLOCK_ENTRIES - 1) / BLOCK_ENTRIES) * BLOCK_WORDS, 0) {
    for (int i = 0; i < n; ++i) words_[i / WORD_BITS] |= std::uint64_t{1} << (i % WORD_BITS);
    const int n_blocks = static_cast<int>(words_.size()) / BLOCK_WORDS;
    // The tree spans a power of two, the blocks past the last empty, so the descent needs no
    // bounds test.
    while (span_ <= n_blocks) span_ *= 2;
    tree_ = ivector(span_ + 1);
    for (int i = 1; i <= span_; ++i) {
      if (i <= n_blocks) tree_[i] += block_count(i - 1);
      const int up = i + (i & -i);
      if (up <= span_) tree_[up] += tree_[i];
    }
  }

  // Removes and returns the j-th (0-based) remaining entry.
  int take(int j) {
    int block = 0;
    int remaining = j;
    // The nodes the descent does not pass are exactly those whose range holds the entry's block,
    // so they lose its count on the way down.
    for (int step = span_ / 2; step > 0; step /= 2) {
      const int next = block + step;
      const int count = tree_[next];
      const int pass = mask_of(count <= remaining);
      block += step & pass;
      remaining -= count & pass;
      tree_[next] -= 1 + pass;
    }
    tree_[span_] -= 1;
    // The word of the block that holds the entry: the words before it count at most remaining.
    const std::uint64_t* words = &words_[block * BLOCK_WORDS];
    int word = 0;
    int before = 0;
    int total = 0;
    for (int w = 0; w < BLOCK_WORDS; ++w) {
      total += bit_count(words[w]);
      const int pass = mask_of(total <= remaining);
      word += 1 & pass;
      before = (total & pass) | (before & ~pass);
    }
    const int bit = select_bit(words[word], remaining - before);
    word += block * BLOCK_WORDS;
    words_[word] &= ~(std::uint64_t{1} << bit);
    return word * WORD_BITS + bit;
  }

 private:
  int block_count(int block) const {
    int count = 0;
    for (int w = 0; w < BLOCK_WORDS; ++w) count += bit_count(words_[block * BLOCK_WORDS + w]);
    return count;
  }

  std::vector<std::uint64_t> words_;
  int span_ = 1;
  std::vector<int> tree_;
};

}  // namespace

std::vector<int> random_order(RandomStream& random, int n) {
  std::vector<int> order = ivector(n);
  Pool pool(std::max(n, 0));
  for (int i = 0; i < n; ++i) {
    const int left = n - i;
    int j = static_cast<int>(random.next() * left);
    if (j >= left) j = left - 1;
    order[i] = pool.take(j);
  }
  return order;
}

}  // namespace bramble
