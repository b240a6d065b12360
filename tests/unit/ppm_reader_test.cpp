#include "model/ppm_reader.h"

#include <gtest/gtest.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "render/engine_block.h"
#include "tests/support/temp_dir.h"

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif
#else
constexpr bool kAddressSanitizer = false;
#endif

// The data placed so that its last byte is the last one before an inaccessible page: a parser
// that reads one byte too far crashes the test.
class GuardedBuffer {
public:
    explicit GuardedBuffer(const std::string& bytes)
    {
        const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
        dataPages_ = (bytes.size() + page - 1) / page + 1;
        mapped_ = (dataPages_ + 1) * page;
        void* base = mmap(nullptr, mapped_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (base == MAP_FAILED) std::abort();
        base_ = static_cast<unsigned char*>(base);
        if (mprotect(base_ + dataPages_ * page, page, PROT_NONE) != 0) std::abort();
        data_ = base_ + dataPages_ * page - bytes.size();
        std::memcpy(data_, bytes.data(), bytes.size());
        size_ = bytes.size();
    }
    ~GuardedBuffer() { munmap(base_, mapped_); }
    GuardedBuffer(const GuardedBuffer&) = delete;
    GuardedBuffer& operator=(const GuardedBuffer&) = delete;

    const unsigned char* data() const { return data_; }
    size_t size() const { return size_; }

private:
    unsigned char* base_ = nullptr;
    unsigned char* data_ = nullptr;
    size_t size_ = 0;
    size_t dataPages_ = 0;
    size_t mapped_ = 0;
};

// count bytes of pixel data whose values run through every byte value, whitespace included.
std::string pixelPattern(size_t count, unsigned first = 7)
{
    std::string p(count, '\0');
    for (size_t i = 0; i < count; ++i) p[i] = static_cast<char>((first + i * 37) & 0xFF);
    return p;
}

struct Parsed {
    PpmImage image;
    std::string pixels;                     // copied out while the buffer lives
    long offset = -1;                       // where the pixels start in the data
};

Parsed parse(const std::string& bytes)
{
    GuardedBuffer buffer(bytes);
    Parsed result;
    result.image = parsePpm(buffer.data(), buffer.size());
    if (result.image.pixels) {
        result.offset = static_cast<long>(result.image.pixels - buffer.data());
        result.pixels.assign(reinterpret_cast<const char*>(result.image.pixels),
                             static_cast<size_t>(result.image.width) * result.image.height * 3);
    }
    return result;
}

// A valid image: header, then exactly the pixel bytes it announces.
void expectImage(const std::string& header, int width, int height, const std::string& pixels)
{
    SCOPED_TRACE("header \"" + header + "\"");
    Parsed p = parse(header + pixels);
    ASSERT_NE(p.image.pixels, nullptr) << "rejected: " << (p.image.error ? p.image.error : "(no reason)");
    EXPECT_EQ(p.image.error, nullptr);
    EXPECT_EQ(p.image.width, width);
    EXPECT_EQ(p.image.height, height);
    EXPECT_EQ(p.offset, static_cast<long>(header.size()));
    EXPECT_EQ(p.pixels, pixels);
}

void expectRejected(const std::string& bytes, const char* reason)
{
    SCOPED_TRACE("data \"" + bytes.substr(0, 60) + "\"");
    Parsed p = parse(bytes);
    EXPECT_EQ(p.image.pixels, nullptr);
    ASSERT_NE(p.image.error, nullptr);
    EXPECT_STREQ(p.image.error, reason);
}

const char kEnd[] = "fin de fichier dans l'en-tete";
const char kMagic[] = "mot magique different de P6";
const char kWidth[] = "largeur invalide (entier decimal positif attendu)";
const char kHeight[] = "hauteur invalide (entier decimal positif attendu)";
const char kTooLarge[] = "image trop grande (plus de 4096 pixels de cote)";
const char kMaxValue[] = "valeur maximale invalide (entier de 1 a 255 attendu)";
const char kShort[] = "donnees de pixels incompletes";

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// For a death test: reads path with 32 MiB of address space to spare, the message going to
// standard error; ends with 3 when no buffer came back.
void readWithLittleMemory(const std::string& path)
{
    dup2(2, 1);
    // AddressSanitizer reserves terabytes of shadow address space, so under it the limit is its
    // own allocator's (see AFailedAllocationGivesItsMessageAndNoBuffer) and not RLIMIT_AS.
    if (!kAddressSanitizer) {
        unsigned long pages = 0;
        std::FILE* statm = std::fopen("/proc/self/statm", "r");
        if (statm == nullptr || std::fscanf(statm, "%lu", &pages) != 1) std::exit(5);
        std::fclose(statm);
        rlimit limit{};
        limit.rlim_cur = limit.rlim_max = pages * static_cast<unsigned long>(sysconf(_SC_PAGESIZE)) + (32L << 20);
        setrlimit(RLIMIT_AS, &limit);
    }
    int width = 0, height = 0;
    unsigned char* image = EngineBlock::readPpm(path.c_str(), &width, &height);
    // exit skips destructors, and a child run afresh made a folder of its own.
    std::filesystem::remove_all(std::filesystem::path(path).parent_path());
    std::exit(image == nullptr ? 3 : 4);
}

}  // namespace

TEST(PpmParser, ReadsTheWellFormedHeaderVariants)
{
    expectImage("P6\n# premier commentaire\n# second\n256 128\n255\n", 256, 128, pixelPattern(256 * 128 * 3));
    expectImage("P6 # commentaire sur la ligne du mot magique\n# encore\n4 2\n255\n", 4, 2, pixelPattern(24));
    expectImage("P6 3 2\n255\n", 3, 2, pixelPattern(18));
    expectImage(" \t\n\nP6 \t\n\n  \t \n# apres des blancs\n2 2\n255\n", 2, 2, pixelPattern(12));
    expectImage("P6\n\n\t  2 2\n255\n", 2, 2, pixelPattern(12));             // blanks before the dimensions
    expectImage("P6\n5 3\n255\n", 5, 3, pixelPattern(45));                   // rows of 15 bytes, no padding
    expectImage("P6\n2 1 # reste de ligne ignore\n255\n", 2, 1, pixelPattern(6));
    expectImage("P6\n2\t1\n\n  255\n", 2, 1, pixelPattern(6));               // blanks before the maximum
    expectImage("P6\r\n# fin de ligne CR LF\r\n2 1\r\n255\r\n", 2, 1, pixelPattern(6));
    expectImage("P6\n1 1\n15\n", 1, 1, std::string("\xFF\x00\x10", 3));     // samples are never rescaled
    expectImage("P6\n#" + std::string(400, 'x') + "\n2 1\n255\n", 2, 1, pixelPattern(6));
}

TEST(PpmParser, KeepsPixelBytesThatLookLikeWhitespace)
{
    for (char first : {'\t', '\n', ' ', '\r', '\v', '\f'}) {
        std::string pixels = pixelPattern(12);
        pixels[0] = first;
        pixels[1] = ' ';
        expectImage("P6\n2 2\n255\n", 2, 2, pixels);
        expectImage("P6\n2 2\n255\r\n", 2, 2, pixels);
    }
    // A lone CR separator followed by pixels that do not start with LF.
    expectImage("P6\n2 2\n255\r", 2, 2, pixelPattern(12, 'A'));
}

TEST(PpmParser, IgnoresBytesAfterThePixelBlock)
{
    Parsed p = parse("P6\n1 2\n255\n" + pixelPattern(6) + "reste");
    ASSERT_NE(p.image.pixels, nullptr);
    EXPECT_EQ(p.pixels, pixelPattern(6));
}

TEST(PpmParser, RejectsEveryMalformedHeaderWithItsReason)
{
    expectRejected("", kEnd);
    expectRejected(" \n\t ", kEnd);
    expectRejected("P6", kEnd);
    expectRejected("P6\n\n", kEnd);
    expectRejected("P6\n# commentaire sans fin", kEnd);
    expectRejected("P6\n# commentaire\n", kEnd);
    expectRejected("P6\n2 2", kEnd);
    expectRejected("P6\n2 2\n", kEnd);
    expectRejected("P6\n2 2\n255", kEnd);

    expectRejected("P3\n2 2\n255\n" + pixelPattern(12), kMagic);
    expectRejected("P5\n2 2\n255\n" + pixelPattern(4), kMagic);
    expectRejected("p6\n2 2\n255\n" + pixelPattern(12), kMagic);
    expectRejected("P66\n2 2\n255\n" + pixelPattern(12), kMagic);
    expectRejected("P6#\n2 2\n255\n" + pixelPattern(12), kMagic);
    expectRejected(std::string(300, 'P') + "\n2 2\n255\n", kMagic);

    expectRejected("P6\n0 2\n255\n" + pixelPattern(12), kWidth);
    expectRejected("P6\n-2 2\n255\n" + pixelPattern(12), kWidth);
    expectRejected("P6\n+2 2\n255\n" + pixelPattern(12), kWidth);
    expectRejected("P6\nx 2\n255\n" + pixelPattern(12), kWidth);
    expectRejected("P6\n# commentaire\n\n2 2\n255\n" + pixelPattern(12), kWidth);   // empty dimension line
    expectRejected("P6\n# commentaire\n  # pas en colonne 1\n2 2\n255\n", kWidth);
    expectRejected("P6\n2 0\n255\n" + pixelPattern(12), kHeight);
    expectRejected("P6\n2 -2\n255\n" + pixelPattern(12), kHeight);
    expectRejected("P6\n2x2\n255\n" + pixelPattern(12), kHeight);
    expectRejected("P6\n2\n2\n255\n" + pixelPattern(12), kHeight);                  // height on the next line

    expectRejected("P6\n4097 1\n255\n" + pixelPattern(4097 * 3), kTooLarge);   // pixels present
    expectRejected("P6\n1 4097\n255\n" + pixelPattern(4097 * 3), kTooLarge);
    expectRejected("P6\n268435457 1\n255\n", kTooLarge);
    expectRejected("P6\n1 268435457\n255\n", kTooLarge);
    expectRejected("P6\n4294967296 1\n255\n", kTooLarge);             // wraps a 32-bit int to 0
    expectRejected("P6\n65536 65536\n255\n", kTooLarge);              // 3 * 2^32 bytes
    expectRejected("P6\n99999999999999999999999 9\n255\n", kTooLarge);
    expectRejected("P6\n4096 4096\n255\n" + pixelPattern(12), kShort);   // the largest: size accepted

    expectRejected("P6\n2 2\n0\n" + pixelPattern(12), kMaxValue);
    expectRejected("P6\n2 2\n256\n" + pixelPattern(12), kMaxValue);
    expectRejected("P6\n2 2\n65535\n" + pixelPattern(12), kMaxValue);
    expectRejected("P6\n2 2\n-1\n" + pixelPattern(12), kMaxValue);
    expectRejected("P6\n2 2\n25x\n" + pixelPattern(12), kMaxValue);
    expectRejected("P6\n2 2\nabc\n" + pixelPattern(12), kMaxValue);
    expectRejected("P6\n2 2\n# commentaire\n255\n" + pixelPattern(12), kMaxValue);
    expectRejected("P6\n2 2 255\n" + std::string(12, 'A'), kMaxValue);    // the maximum must be on a later line

    expectRejected("P6\n2 2\n255\n", kShort);
    expectRejected("P6\n2 2\n255\n" + pixelPattern(11), kShort);
    expectRejected("P6\n256 128\n255\n" + pixelPattern(256 * 128 * 3 - 1), kShort);
}

TEST(PpmParser, EveryCutOfAValidFileIsRejectedWithoutReadingPastIt)
{
    const std::string file = "P6 # c\n# d\r\n3 2 x\n\t255\r\n" + pixelPattern(18);
    for (size_t cut = 0; cut < file.size(); ++cut) {
        Parsed p = parse(file.substr(0, cut));
        EXPECT_EQ(p.image.pixels, nullptr) << "cut at " << cut;
        EXPECT_NE(p.image.error, nullptr) << "cut at " << cut;
    }
    EXPECT_NE(parse(file).image.pixels, nullptr);
    PpmImage none = parsePpm(nullptr, 0);
    EXPECT_EQ(none.pixels, nullptr);
    EXPECT_NE(none.error, nullptr);
}

TEST(PpmFile, ReturnsACopyOfThePixelsInFileOrder)
{
    testx::TempDir dir;
    const std::string pixels = pixelPattern(5 * 3 * 3, '\n');
    std::string path = dir.write("image.ppm", "P6\n# c\n5 3\n255\n" + pixels);
    int width = 0, height = 0;
    testing::internal::CaptureStdout();
    unsigned char* image = EngineBlock::readPpm(path.c_str(), &width, &height);
    std::string said = testing::internal::GetCapturedStdout();
    ASSERT_NE(image, nullptr) << said;
    EXPECT_EQ(said, "");
    EXPECT_EQ(width, 5);
    EXPECT_EQ(height, 3);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(image), pixels.size()), pixels);
    delete[] image;
}

TEST(PpmFile, TheReaderReportsAndLeavesTheDecisionToItsCaller)
{
    // Read straight from the reader, a missing or bad file is a status and a reason: nothing is
    // printed and the process goes on, whoever asks (the program, or the tool checking first).
    testx::TempDir dir;
    testing::internal::CaptureStdout();
    const PpmFile missing = readPpmFile(dir.file("absent.ppm").c_str());
    const PpmFile bad = readPpmFile(dir.write("bad.ppm", "P6\n0 1\n255\nabc").c_str());
    const PpmFile good = readPpmFile(dir.write("good.ppm", "P6\n1 1\n255\nabc").c_str());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(missing.status, PpmFileStatus::missing);
    EXPECT_EQ(missing.pixels, nullptr);
    EXPECT_EQ(bad.status, PpmFileStatus::invalid);
    EXPECT_STREQ(bad.error, kWidth);
    ASSERT_EQ(good.status, PpmFileStatus::read);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(good.pixels.get()), 3), "abc");
}

TEST(PpmFile, InvalidFilesGiveNoBufferAndOneMessage)
{
    testx::TempDir dir;
    struct Case {
        const char* name;
        std::string bytes;
        const char* reason;
    };
    const Case cases[] = {
        {"vide.ppm", "", kEnd},
        {"ascii.ppm", "P3\n1 1\n255\n1 2 3\n", kMagic},
        {"largeur.ppm", "P6\n0 1\n255\nabc", kWidth},
        {"hauteur.ppm", "P6\n1 x\n255\nabc", kHeight},
        {"enorme.ppm", "P6\n4294967296 4294967296\n255\nabc", kTooLarge},
        {"maximum.ppm", "P6\n1 1\n300\nabc", kMaxValue},
        {"tronque.ppm", "P6\n2 2\n255\nabcdef", kShort},
        {"bavard.ppm", "P6\n#" + std::string(20000, 'x') + "\n1 1\n255\nabc", "en-tete trop long (plus de 16384 octets)"},
    };
    for (const Case& c : cases) {
        std::string path = dir.write(c.name, c.bytes);
        int width = -7, height = -7;
        testing::internal::CaptureStdout();
        unsigned char* image = EngineBlock::readPpm(path.c_str(), &width, &height);
        std::string said = testing::internal::GetCapturedStdout();
        EXPECT_EQ(image, nullptr) << c.name;
        EXPECT_EQ(said, "fichier " + path + " invalide: " + c.reason + "\n") << c.name;
        EXPECT_EQ(width, -7) << c.name;     // no half results
        EXPECT_EQ(height, -7) << c.name;
        delete[] image;
    }

}

TEST(PpmFile, NonRegularFilesAreRefusedWithoutWaiting)
{
    testx::TempDir dir;
    const std::string directory = dir.file("dossier.ppm");
    const std::string pipe = dir.file("tube.ppm");
    ASSERT_EQ(mkdir(directory.c_str(), 0700), 0);
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    constexpr unsigned kWaitLimitSeconds = 10;          // a wait on the pipe ends the test run
    for (const std::string& path : {directory, pipe, std::string("/dev/zero")}) {
        int width = 0, height = 0;
        alarm(kWaitLimitSeconds);
        testing::internal::CaptureStdout();
        EXPECT_EQ(EngineBlock::readPpm(path.c_str(), &width, &height), nullptr) << path;
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "fichier " + path + " invalide: pas un fichier ordinaire\n");
        alarm(0);
    }
}

TEST(PpmFileDeathTest, AMissingFileEndsTheProcessWithFailure)
{
    testx::TempDir dir;
    const std::string path = dir.file("textureAluminum.ppm");
    int width = 0, height = 0;
    // The message goes to standard output; the child sends it to standard error for the check.
    EXPECT_EXIT(
        {
            dup2(2, 1);
            EngineBlock::readPpm(path.c_str(), &width, &height);
            std::exit(0);
        },
        testing::ExitedWithCode(EXIT_FAILURE), "^fichier " + path + " introuvable\n$");
}

TEST(PpmFileDeathTest, AFailedAllocationGivesItsMessageAndNoBuffer)
{
    // A sparse file holding the largest image: its 48 MiB buffer cannot fit in 32 MiB.
    testx::TempDir dir;
    const std::string path = dir.write("grande.ppm", "P6\n4096 4096\n255\n");
    ASSERT_EQ(truncate(path.c_str(), 4096LL * 4096LL * 3 + 17), 0);
    if (kAddressSanitizer) {
        // The child is a fresh run of this binary that reads these options at its start: any
        // allocation above 32 MiB then fails, and new (nothrow) returns null as without it.
        GTEST_FLAG_SET(death_test_style, "threadsafe");
        const char* before = std::getenv("ASAN_OPTIONS");
        std::string options = before ? std::string(before) + ":" : std::string();
        setenv("ASAN_OPTIONS", (options + "allocator_may_return_null=1:max_allocation_size_mb=32").c_str(), 1);
    }
    // Under the sanitizer the fresh child also prints gtest's start line and the allocator's
    // warning before the message; the message must still be the last thing said.
    const std::string said = kAddressSanitizer ? "(^|\n)erreur d'allocation de l'image de texture\n$"
                                               : "^erreur d'allocation de l'image de texture\n$";
    EXPECT_EXIT(readWithLittleMemory(path), testing::ExitedWithCode(3), said);
}

TEST(AluminiumTexture, CommittedFileIsTheGeneratorsOutput)
{
    testx::TempDir dir;
    const std::string fresh = dir.file("fresh.ppm");
    ASSERT_EQ(std::system(("'" TARVEX_MAKE_TEXTURE "' '" + fresh + "'").c_str()), 0);
    const std::string generated = readFile(fresh);
    const std::string committed = readFile(TARVEX_SOURCE_DIR "/assets/textureAluminum.ppm");
    ASSERT_FALSE(generated.empty());
    EXPECT_TRUE(generated == committed) << "assets/textureAluminum.ppm differs from the generator's output ("
                                        << committed.size() << " against " << generated.size() << " bytes)";
}

TEST(AluminiumTexture, IsABrushedGrey256By256ImageTheReaderAccepts)
{
    int width = 0, height = 0;
    testing::internal::CaptureStdout();
    unsigned char* image = EngineBlock::readPpm(TARVEX_SOURCE_DIR "/assets/textureAluminum.ppm", &width, &height);
    std::string said = testing::internal::GetCapturedStdout();
    ASSERT_NE(image, nullptr) << said;
    EXPECT_EQ(said, "");
    ASSERT_EQ(width, 256);
    ASSERT_EQ(height, 256);

    // Light grey with a cool tint; brushed along x: neighbours in a row differ far less than
    // neighbours in a column.
    auto at = [&](int x, int y, int c) { return static_cast<int>(image[(y * 256 + x) * 3 + c]); };
    long sum[3] = {0, 0, 0};
    long alongRow = 0, acrossRows = 0;
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            for (int c = 0; c < 3; ++c) sum[c] += at(x, y, c);
            alongRow += std::abs(at((x + 1) % 256, y, 0) - at(x, y, 0));
            acrossRows += std::abs(at(x, (y + 1) % 256, 0) - at(x, y, 0));
        }
    const double meanRed = sum[0] / 65536.0;
    EXPECT_GT(meanRed, 150.0);
    EXPECT_LT(meanRed, 220.0);
    EXPECT_GT(sum[2], sum[0]);
    EXPECT_GT(acrossRows, 2 * alongRow);
    delete[] image;
}
