// Every input kept in tests/fuzz/regressions/ (ones the fuzzer or a review found at the edges of
// the grammar) goes through the parser: an error and no pixels, or pixels wholly inside the data.
#include <dirent.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "model/ppm_reader.h"

namespace {

std::vector<std::string> regressionFiles()
{
    const std::string dir = TARVEX_SOURCE_DIR "/tests/fuzz/regressions";
    std::vector<std::string> files;
    if (DIR* d = opendir(dir.c_str())) {
        while (dirent* e = readdir(d))
            if (e->d_name[0] != '.') files.push_back(dir + "/" + e->d_name);
        closedir(d);
    }
    return files;
}

}  // namespace

TEST(FuzzRegressions, EveryKeptInputIsRejectedOrPointsInsideItsData)
{
    const std::vector<std::string> files = regressionFiles();
    ASSERT_FALSE(files.empty()) << "tests/fuzz/regressions/ holds no input";
    for (const std::string& path : files) {
        std::ifstream in(path, std::ios::binary);
        const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const PpmImage image = parsePpm(bytes.empty() ? nullptr : bytes.data(), bytes.size());
        if (image.pixels == nullptr) {
            EXPECT_NE(image.error, nullptr) << path << ": no pixels and no reason";
            continue;
        }
        EXPECT_EQ(image.error, nullptr) << path;
        ASSERT_GE(image.width, 1) << path;
        ASSERT_GE(image.height, 1) << path;
        const long long pixelBytes = 3LL * image.width * image.height;
        EXPECT_LE(image.pixels + pixelBytes, bytes.data() + bytes.size()) << path << ": pixels past the data";
        EXPECT_GE(image.pixels, bytes.data()) << path;
    }
}

TEST(FuzzRegressions, TheEdgeCasesGiveTheirReasons)
{
    auto reason = [](const std::string& text) {
        const PpmImage image = parsePpm(reinterpret_cast<const unsigned char*>(text.data()), text.size());
        return std::string(image.error ? image.error : "valide");
    };
    EXPECT_EQ(reason("P6\n1 1\n255\r"), "donnees de pixels incompletes");     // lone CR is the separator
    EXPECT_EQ(reason("P6\n1 1\n255\r\nab"), "donnees de pixels incompletes");
    EXPECT_EQ(reason("P6\n1 1\n255\r\nabc"), "valide");
    EXPECT_EQ(reason("P6#\n1 1\n255\nabc"), "mot magique different de P6");   // no blank after the magic
    EXPECT_EQ(reason("#P6\n1 1\n255\nabc"), "mot magique different de P6");
}
