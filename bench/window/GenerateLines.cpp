// Writes the texts of the window benchmark: a given number of CR LF lines of about 50
// bytes of prose, mostly ASCII with a non-ASCII word now and then, and the word "river"
// on every other line, so that the literal pattern has exactly half as many matches as
// the text has lines. The same arguments always give the same bytes.

#include <array>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

namespace {

constexpr std::array<std::string_view, 40> kWords = {
    "the", "of", "and", "a", "to", "in", "is", "was", "that", "for",
    "it", "with", "as", "on", "be", "at", "by", "this", "had", "not",
    "stone", "apple", "cloud", "paper", "house", "garden", "window", "morning", "evening", "letter",
    "quickly", "slowly", "never", "always", "often", "old", "new", "small", "green", "The",
};

constexpr std::array<std::string_view, 6> kForeignWords = {"café", "naïve", "Größe", "жизнь", "λόγος", "東京"};

class Random {
public:
    std::uint32_t next(std::uint32_t bound)
    {
        mState = mState * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<std::uint32_t>(mState >> 33) % bound;
    }

private:
    std::uint64_t mState = 0x5eed;
};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: sifta-linegen LINES FILE\n";
        return 2;
    }
    const long lines = std::atol(argv[1]);
    std::ofstream out(argv[2], std::ios::binary);
    Random random;
    std::string line;
    for (long n = 0; n < lines; ++n) {
        line.clear();
        const bool withRiver = n % 2 == 0;
        const std::uint32_t words = 9 + random.next(2);
        const std::uint32_t riverAt = random.next(words);
        for (std::uint32_t w = 0; w < words; ++w) {
            if (w > 0)
                line += ' ';
            if (withRiver && w == riverAt)
                line += "river";
            else if (random.next(40) == 0)
                line += kForeignWords[random.next(kForeignWords.size())];
            else
                line += kWords[random.next(kWords.size())];
        }
        line += ".\r\n";
        out << line;
    }
    return out ? 0 : 1;
}
