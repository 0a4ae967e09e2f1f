// Writes a deterministic prose text of a given size for the search benchmarks:
// mostly ASCII sentences, a few non-ASCII words, e-mail addresses now and then,
// lines ending in CR LF with an occasional lone LF. The same size always gives
// the same bytes, so the figures of two runs compare.

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

namespace {

constexpr std::array<std::string_view, 96> kWords = {
    "the", "of", "and", "a", "to", "in", "is", "was", "that", "for",
    "it", "with", "as", "on", "be", "at", "by", "this", "had", "not",
    "are", "but", "from", "or", "have", "an", "they", "which", "one", "you",
    "were", "her", "all", "she", "there", "would", "their", "we", "him", "been",
    "river", "stone", "apple", "cloud", "paper", "house", "garden", "window", "morning", "evening",
    "running", "thinking", "reading", "walking", "building", "nothing", "something", "during", "king", "spring",
    "letter", "village", "market", "winter", "summer", "bridge", "forest", "mountain", "station", "harbour",
    "quickly", "slowly", "quietly", "never", "always", "often", "perhaps", "together", "already", "again",
    "old", "new", "small", "large", "green", "bright", "dark", "cold", "warm", "long",
    "The", "River", "THE", "Garden", "Market", "Winter",
};

// Non-ASCII words: accented Latin, Greek, Cyrillic, CJK and one emoji outside the
// Basic Multilingual Plane, written as UTF-8.
constexpr std::array<std::string_view, 10> kForeignWords = {
    "café", "naïve", "Größe", "résumé", "Ångström",
    "жизнь", "Москва", "λόγος", "東京", "🙂",
};

constexpr std::array<std::string_view, 6> kMailNames = {
    "anna", "j.smith", "office", "info+news", "kim_lee", "m.dupont",
};
constexpr std::array<std::string_view, 4> kMailDomains = {
    "example.com", "mail.example.org", "post.example.net", "uni-example.edu",
};

// SplitMix64: small, fast and the same on every platform.
class Random {
public:
    std::uint64_t next()
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15u);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
        return z ^ (z >> 31);
    }
    std::size_t below(std::size_t bound) { return static_cast<std::size_t>(next() % bound); }

private:
    std::uint64_t m_state = 20240601;
};

std::string sentence(Random& random)
{
    std::string out;
    const std::size_t words = 6 + random.below(10);
    for (std::size_t i = 0; i < words; ++i) {
        if (i > 0)
            out += ' ';
        const std::size_t roll = random.below(100);
        if (roll < 3) {
            out += kForeignWords[random.below(kForeignWords.size())];
        } else if (roll < 4) {
            out += kMailNames[random.below(kMailNames.size())];
            out += '@';
            out += kMailDomains[random.below(kMailDomains.size())];
        } else {
            std::string word(kWords[random.below(kWords.size())]);
            if (i == 0 && word[0] >= 'a' && word[0] <= 'z')
                word[0] = static_cast<char>(word[0] - 'a' + 'A');
            out += word;
        }
    }
    out += random.below(8) == 0 ? ", " : ". ";
    return out;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::cerr << "usage: " << argv[0] << " MEGABYTES FILE\n";
        return 2;
    }
    const long megabytes = std::strtol(argv[1], nullptr, 10);
    if (megabytes <= 0) {
        std::cerr << "MEGABYTES must be a positive whole number\n";
        return 2;
    }
    const std::size_t target = static_cast<std::size_t>(megabytes) * 1000 * 1000;

    // Written beside the target and renamed at the end, so an interrupted run never
    // leaves a short file that later runs would take for a finished one.
    const std::string path = argv[2];
    const std::string partial = path + ".part";
    std::ofstream file(partial, std::ios::binary | std::ios::trunc);
    if (!file) {
        std::cerr << "cannot write " << partial << '\n';
        return 2;
    }

    Random random;
    std::string line;
    std::size_t written = 0;
    while (written < target) {
        line.clear();
        const std::size_t lineLength = 50 + random.below(60);
        while (line.size() < lineLength)
            line += sentence(random);
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        line += random.below(20) == 0 ? "\n" : "\r\n";
        file << line;
        written += line.size();
    }
    file.close();
    if (!file || std::rename(partial.c_str(), path.c_str()) != 0) {
        std::cerr << "cannot write " << path << '\n';
        return 2;
    }
    return 0;
}
