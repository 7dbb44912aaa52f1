// Benchmark data generator: writes a data file of CASES records drawn from SEED.
//
//   make_data CASES SEED > file      the data file, header letters then one record per line
//   make_data --design               the column layout the script needs for the memory bound
//
// The output is byte-identical on every machine: the random numbers come from splitmix64, every
// transformation uses plain IEEE arithmetic (no library exp/log/cos, no std distributions, whose
// results are implementation-defined), and numbers are printed from integers, not by printf.
// Build with -ffp-contract=off so that no compiler fuses a multiply-add and changes a rounding.
//
// Columns: an id (d), the two-class response (r), 10 ordinal covariates of varied kinds and 5 nominal
// covariates with 3, 4, 6, 9 and 12 categories. About 5% of the covariate values are missing ("NA"
// or "."); three ordinal covariates are always present, so they get no missing copy. The response
// follows a logistic model with a threshold, a grouping of categories and an interaction, so that a
// grown tree has dozens of nodes and its strongest splits survive pruning.
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// splitmix64: tiny, fast, and good enough for test data.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    // Uniform on [0, 1), 53 random bits.
    double uniform() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }

    // Approximately standard normal (Irwin-Hall sum of 12 uniforms): exact arithmetic, range +-6.
    double normal() {
        double sum = 0.0;
        for (int i = 0; i < 12; ++i) sum += uniform();
        return sum - 6.0;
    }

    // Integer uniform on lo..hi.
    int integer(int lo, int hi) { return lo + static_cast<int>(uniform() * (hi - lo + 1)); }

    // Category 1..k drawn with the given relative weights.
    int category(const double* weights, int k) {
        double total = 0.0;
        for (int i = 0; i < k; ++i) total += weights[i];
        double u = uniform() * total;
        for (int i = 0; i < k - 1; ++i) {
            if (u < weights[i]) return i + 1;
            u -= weights[i];
        }
        return k;
    }

private:
    std::uint64_t state_;
};

// exp by range reduction and a fixed Taylor polynomial: same bits everywhere, accurate to ~1e-15.
double portable_exp(double x) {
    const double ln2_hi = 0.693147180369123816490;
    const double ln2_lo = 1.90821492927058770002e-10;
    const double k = std::floor(x * 1.44269504088896338700 + 0.5);
    const double r = (x - k * ln2_hi) - k * ln2_lo;  // |r| <= 0.35
    double term = 1.0, sum = 1.0;
    for (int n = 1; n <= 16; ++n) {
        term = term * r / n;
        sum += term;
    }
    return std::ldexp(sum, static_cast<int>(k));  // exact scaling by a power of two
}

// Output buffer written to stdout in large blocks.
class Writer {
public:
    Writer() : buffer_(1 << 20), used_(0) {}
    ~Writer() { flush(); }

    void text(const char* s) {
        const std::size_t n = std::strlen(s);
        reserve(n);
        std::memcpy(buffer_.data() + used_, s, n);
        used_ += n;
    }

    void character(char c) {
        reserve(1);
        buffer_[used_++] = c;
    }

    void integer(long long v) {
        reserve(24);
        char* start = buffer_.data();
        used_ = static_cast<std::size_t>(std::to_chars(start + used_, start + used_ + 24, v).ptr - start);
    }

    // Value rounded to a fixed number of decimals, printed from the scaled integer.
    void fixed(double v, int decimals) {
        long long scale = 1;
        for (int i = 0; i < decimals; ++i) scale *= 10;
        long long q = std::llround(v * static_cast<double>(scale));
        if (q < 0) {
            character('-');
            q = -q;
        }
        integer(q / scale);
        character('.');
        long long fraction = q % scale;
        for (long long digit = scale / 10; digit > 0; digit /= 10) {
            character(static_cast<char>('0' + fraction / digit));
            fraction %= digit;
        }
    }

    void flush() {
        if (used_ > 0 && std::fwrite(buffer_.data(), 1, used_, stdout) != used_) {
            std::perror("make_data: write");
            std::exit(1);
        }
        used_ = 0;
    }

private:
    void reserve(std::size_t n) {
        if (used_ + n > buffer_.size()) flush();
    }

    std::vector<char> buffer_;
    std::size_t used_;
};

constexpr int N_ORDINAL = 10;
constexpr int N_NOMINAL = 5;
constexpr int N_COVARIATES = N_ORDINAL + N_NOMINAL;

// Probability that a covariate value is missing, per covariate; zero for three ordinal ones.
// The rates sum to 0.75 over 15 covariates: 5% of all covariate values.
constexpr double MISSING_RATE[N_COVARIATES] = {
    0.04, 0.06, 0.08, 0.05, 0.07, 0.00, 0.03, 0.12, 0.00, 0.00,  // ordinal
    0.02, 0.05, 0.06, 0.07, 0.10,                                // nominal
};

int ordinal_with_missing() {
    int count = 0;
    for (int j = 0; j < N_ORDINAL; ++j) count += MISSING_RATE[j] > 0.0;
    return count;
}

// Category weights of the nominal covariates; the 12-category one has four rare categories
// (3, 7, 10, 12) that a reader keeping at most 10 categories has to merge.
constexpr double WEIGHTS_LIKERT[5] = {2, 4, 5, 3, 1};
constexpr double WEIGHTS_3[3] = {5, 3, 2};
constexpr double WEIGHTS_4[4] = {1, 1, 1, 1};
constexpr double WEIGHTS_6[6] = {6, 5, 4, 3, 2, 1};
constexpr double WEIGHTS_9[9] = {9, 8, 7, 6, 5, 4, 3, 2, 1};
constexpr double WEIGHTS_12[12] = {16, 14, 0.6, 12, 11, 10, 0.3, 9, 8, 1.0, 7, 0.15};

// One case before missing values are applied.
struct Case {
    double normal_score;  // o1: continuous normal, 4 decimals (~6 significant digits)
    double proportion;    // o2: uniform on [0, 1), 5 decimals
    double skewed;        // o3: log-normal, 3 decimals
    int likert;           // o4: 1-5
    int scale10;          // o5: 1-10
    int flag;             // o6: 0/1
    int age;              // o7: 18-90
    double income;        // o8: log-normal with large values, 2 decimals
    int count;            // o9: geometric count, mostly 0 and 1
    double balance;       // o10: uniform on [-5, 5), 3 decimals
    int group3, group4, group6, group9, group12;  // n1..n5
    int response;
};

Case draw_case(Random& rng) {
    Case c;
    c.normal_score = 50.0 + 10.0 * rng.normal();
    c.proportion = rng.uniform();
    c.skewed = portable_exp(1.5 + 0.9 * rng.normal());
    c.likert = rng.category(WEIGHTS_LIKERT, 5);
    c.scale10 = rng.integer(1, 10);
    c.flag = rng.uniform() < 0.45 ? 1 : 0;
    c.age = rng.integer(18, 90);
    c.income = portable_exp(10.0 + 0.6 * rng.normal());
    c.count = 0;
    while (c.count < 30 && rng.uniform() < 0.6) ++c.count;
    c.balance = -5.0 + 10.0 * rng.uniform();
    c.group3 = rng.category(WEIGHTS_3, 3);
    c.group4 = rng.category(WEIGHTS_4, 4);
    c.group6 = rng.category(WEIGHTS_6, 6);
    c.group9 = rng.category(WEIGHTS_9, 9);
    c.group12 = rng.category(WEIGHTS_12, 12);

    // Risk score: a threshold, a category grouping, an interaction, some weaker terms.
    double eta = -2.3;
    eta += c.normal_score > 58.0 ? 1.6 : 0.0;
    eta += (c.group4 == 2 || c.group4 == 4) ? 1.1 : 0.0;
    eta += (c.age > 60 && c.flag == 1) ? 1.8 : 0.0;
    eta += (c.group3 == 3 && c.proportion > 0.7) ? 1.2 : 0.0;
    eta += 0.25 * (c.likert - 3);
    eta += (c.group12 == 1 || c.group12 == 5) ? 0.8 : 0.0;
    eta += c.skewed > 15.0 ? 0.5 : 0.0;
    const double probability = 1.0 / (1.0 + portable_exp(-eta));
    c.response = rng.uniform() < probability ? 1 : 0;
    return c;
}

// Writes covariate j: its value, or a missing marker drawn at the covariate's rate.
class RecordWriter {
public:
    RecordWriter(Writer& out, Random& rng) : out_(out), rng_(rng) {}

    void real(int j, double v, int decimals) {
        if (!missing(j)) out_.fixed(v, decimals);
    }
    void whole(int j, long long v) {
        if (!missing(j)) out_.integer(v);
    }

private:
    bool missing(int j) {
        out_.character(' ');
        if (MISSING_RATE[j] == 0.0 || rng_.uniform() >= MISSING_RATE[j]) return false;
        out_.text(rng_.uniform() < 0.5 ? "NA" : ".");
        return true;
    }

    Writer& out_;
    Random& rng_;
};

void write_data(long long cases, std::uint64_t seed) {
    Random rng(seed);
    Random mask(seed ^ 0x6D697373696E6721ULL);  // missing values have their own stream
    Writer out;
    out.text("d r o o o o o o o o o o n n n n n\n");
    RecordWriter record(out, mask);
    for (long long i = 1; i <= cases; ++i) {
        const Case c = draw_case(rng);
        out.integer(i);
        out.character(' ');
        out.integer(c.response);
        record.real(0, c.normal_score, 4);
        record.real(1, c.proportion, 5);
        record.real(2, c.skewed, 3);
        record.whole(3, c.likert);
        record.whole(4, c.scale10);
        record.whole(5, c.flag);
        record.whole(6, c.age);
        record.real(7, c.income, 2);
        record.whole(8, c.count);
        record.real(9, c.balance, 3);
        record.whole(10, c.group3);
        record.whole(11, c.group4);
        record.whole(12, c.group6);
        record.whole(13, c.group9);
        record.whole(14, c.group12);
        out.character('\n');
    }
}

int usage() {
    std::fprintf(stderr, "usage: make_data CASES SEED > file\n       make_data --design\n");
    return 2;
}

bool parse_number(const char* text, unsigned long long& value) {
    const char* end = text + std::strlen(text);
    const auto result = std::from_chars(text, end, value);
    return result.ec == std::errc() && result.ptr == end && end != text;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == "--design") {
        std::printf("covariates %d ordinal %d nominal %d ordinal_with_missing %d\n", N_COVARIATES,
                    N_ORDINAL, N_NOMINAL, ordinal_with_missing());
        return 0;
    }
    unsigned long long cases = 0, seed = 0;
    if (argc != 3 || !parse_number(argv[1], cases) || !parse_number(argv[2], seed) || cases == 0) {
        return usage();
    }
    write_data(static_cast<long long>(cases), seed);
    if (std::fflush(stdout) != 0) {
        std::perror("make_data: write");
        return 1;
    }
    return 0;
}
