// What the shared code must mean on every platform beyond the game's own
// tests: the portable currency product at the ends of its range, and the
// high-score file through the platform's file calls. The Windows build runs
// these under Wine, where MinGW's library and Windows' file calls stand in for
// glibc's and POSIX's.
#include "currency.h"
#include "file_high_score_store.h"
#include "files.h"
#include "rule_test.h"
#include "run_time_error.h"

#include <cstdint>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>
#include <vector>

using namespace marvesto;
using namespace marvesto::testing;
namespace fs = std::filesystem;

namespace {

constexpr std::int64_t kLargest = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kSmallest = std::numeric_limits<std::int64_t>::min();

// A fresh folder for "Print.txt".
struct ScoreFolder {
    FileHighScoreStore Store() {
        return FileHighScoreStore(
            dir / "Print.txt", [this](const std::string& message) { reports.push_back(message); });
    }

    TemporaryFolder folder;
    fs::path dir = folder.Path();
    std::vector<std::string> reports;
};

} // namespace

TEST_CASE("a currency product is exact up to the ends of the range, and overflows past them") {
    struct Row {
        std::int64_t scaled;
        std::int16_t factor;
        std::optional<std::int64_t> product;
    };
    const std::vector<Row> rows{
        {kLargest / 2, 2, kLargest - 1},
        {kLargest / 2 + 1, 2, std::nullopt},
        {kSmallest / 2, 2, kSmallest},
        {kSmallest / 2 - 1, 2, std::nullopt},
        {kLargest, 1, kLargest},
        {kSmallest, 0, 0},
        {kLargest, -1, -kLargest},
        {kSmallest, -1, std::nullopt},
        {-(kLargest / 2), -2, kLargest - 1},
        {kSmallest / 2 - 1, -2, std::nullopt},
        {kLargest / 3 + 1, 3, std::nullopt},
        {490000 * Currency::kScale, 4, 1960000 * Currency::kScale},
    };
    for (const Row& row : rows) {
        CAPTURE(row.scaled);
        CAPTURE(row.factor);
        const Currency amount = Currency::FromScaled(row.scaled);
        if (row.product) {
            CHECK(amount.Times(row.factor).Scaled() == *row.product);
        } else {
            CHECK_THROWS_AS(amount.Times(row.factor), RunTimeError);
        }
    }
}

TEST_CASE("the high-score file is read as on every platform") {
    struct Row {
        std::string name;
        std::optional<std::string> content;
        float loaded;
    };
    const std::vector<Row> rows{
        {"missing", std::nullopt, 0.0F},
        {"as written", std::string(" 16356\r\n"), 16356.0F},
        {"without the blank", std::string("16356\r\n"), 16356.0F},
        {"fifty cents", std::string(" .5\r\n"), 0.5F},
        {"UTF-16 with a byte-order mark",
         std::string("\xFF\xFE \0"
                     "1\0"
                     "2\0"
                     "\r\0"
                     "\n\0",
                     12),
         12.0F},
        {"no number", std::string("high\r\n"), 0.0F},
    };
    for (const Row& row : rows) {
        CAPTURE(row.name);
        ScoreFolder folder;
        if (row.content) {
            WriteBytes(folder.dir / "Print.txt", *row.content);
        }
        CHECK(folder.Store().Load() == row.loaded);
        CHECK(fs::exists(folder.dir / "Print.txt") == row.content.has_value());
        CHECK(folder.reports.empty());
    }
}

// The file holds one line, " N" and CR LF; nothing else stays in its folder,
// not even the file a save that was killed left behind.
TEST_CASE("a save replaces the high-score file whole") {
    ScoreFolder folder;
    WriteBytes(folder.dir / "Print.txt", " 7\r\nmore\r\n");
    WriteBytes(folder.dir / "Print.txt.999999-0.tmp", " 1\r\n");
    folder.Store().Save(Currency::FromWholeDollars(16356));
    CHECK(ReadBytes(folder.dir / "Print.txt") == " 16356\r\n");
    folder.Store().Save(Currency::FromScaled(5000));
    CHECK(ReadBytes(folder.dir / "Print.txt") == " .5\r\n");
    CHECK(EntriesIn(folder.dir) == std::vector<std::string>{"Print.txt"});
    CHECK(folder.reports.empty());
}
