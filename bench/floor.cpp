// Tokenizer floor: the least work any reader of a data file must do. Reads the file in large blocks,
// finds every whitespace-separated token and converts it with std::from_chars to a double; missing
// markers and header letters are skipped. The sum keeps the conversions from being optimised away.
//
//   floor FILE    prints: tokens T numbers N skipped S sum X
#include <charconv>
#include <cstdio>
#include <cstring>
#include <system_error>
#include <vector>

namespace {

constexpr std::size_t BLOCK_SIZE = 1 << 20;

bool is_blank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

struct Tally {
    unsigned long long tokens = 0;
    unsigned long long numbers = 0;
    unsigned long long skipped = 0;
    double sum = 0.0;

    void token(const char* begin, const char* end) {
        ++tokens;
        double value = 0.0;
        const auto result = std::from_chars(begin, end, value);
        if (result.ec == std::errc() && result.ptr == end) {
            ++numbers;
            sum += value;
        } else {
            ++skipped;  // "NA", ".", header letters
        }
    }
};

// Tallies the complete tokens of [begin, end) and returns where the unfinished last token starts
// (end when the data end on a blank). At end of file the last token is complete.
const char* scan(const char* begin, const char* end, bool at_eof, Tally& tally) {
    const char* p = begin;
    while (true) {
        while (p < end && is_blank(*p)) ++p;
        if (p == end) return end;
        const char* start = p;
        while (p < end && !is_blank(*p)) ++p;
        if (p == end && !at_eof) return start;
        tally.token(start, p);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: floor FILE\n");
        return 2;
    }
    std::FILE* file = std::fopen(argv[1], "rb");
    if (file == nullptr) {
        std::perror(argv[1]);
        return 1;
    }
    // A token cut by a block boundary is carried to the front of the buffer, so the buffer holds
    // the carried part plus one block.
    std::vector<char> buffer(2 * BLOCK_SIZE);
    std::size_t carried = 0;
    Tally tally;
    while (true) {
        const std::size_t got = std::fread(buffer.data() + carried, 1, BLOCK_SIZE, file);
        const bool at_eof = got < BLOCK_SIZE;
        const char* data = buffer.data();
        const char* end = data + carried + got;
        const char* rest = scan(data, end, at_eof, tally);
        if (at_eof) break;
        carried = static_cast<std::size_t>(end - rest);
        if (carried > BLOCK_SIZE) {
            std::fprintf(stderr, "floor: token longer than %zu bytes\n", BLOCK_SIZE);
            return 1;
        }
        std::memmove(buffer.data(), rest, carried);
    }
    if (std::ferror(file)) {
        std::perror(argv[1]);
        return 1;
    }
    std::fclose(file);
    std::printf("tokens %llu numbers %llu skipped %llu sum %.17g\n", tally.tokens, tally.numbers,
                tally.skipped, tally.sum);
    return 0;
}
