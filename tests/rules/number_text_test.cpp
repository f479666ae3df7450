// The number text rule is what the player reads in every caption and what the
// high-score file holds, so each form it can take is pinned down here.
#include "number_text.h"
#include "rule_test.h"

#include <limits>
#include <vector>

using marvesto::Currency;
using marvesto::NumberText;

TEST_CASE("currency amounts") {
    struct Row {
        const char* name;
        std::int64_t scaled;
        const char* text;
    };
    for (const Row& row : std::vector<Row>{
             Row{"zero", std::int64_t{0}, " 0"},
             Row{"fifty cents has no zero before the point", std::int64_t{5000}, " .5"},
             Row{"15000", std::int64_t{150000000}, " 15000"},
             Row{"negative", std::int64_t{-50000}, "-5"},
             Row{"four decimals", std::int64_t{12345}, " 1.2345"},
             Row{"trailing zeros dropped", std::int64_t{12300}, " 1.23"},
             Row{"smallest unit", std::int64_t{1}, " .0001"},
             Row{"negative below one", std::int64_t{-2500}, "-.25"},
             Row{"most negative value", std::numeric_limits<std::int64_t>::min(),
                 "-922337203685477.5808"}}) {
        CAPTURE(row.name);
        CHECK(NumberText(Currency::FromScaled(row.scaled)) == row.text);
    }
}

TEST_CASE("single values") {
    struct Row {
        const char* name;
        float value;
        const char* text;
    };
    for (const Row& row :
         std::vector<Row>{Row{"zero", 0.0F, " 0"}, Row{"negative zero reads as zero", -0.0F, " 0"},
                          Row{"half", 0.5F, " .5"}, Row{"15000", 15000.0F, " 15000"},
                          Row{"333333", 333333.0F, " 333333"}, Row{"minus five", -5.0F, "-5"},
                          Row{"1234567.8 rounds to seven digits", 1234567.8F, " 1234568"},
                          Row{"12345678 takes the exponent form", 12345678.0F, " 1.234568E+07"},
                          Row{"ten million", 10000000.0F, " 1E+07"},
                          Row{"one tenth keeps its short form", 0.1F, " .1"},
                          Row{"small positional", 0.0001F, " .0001"},
                          Row{"tiny takes the exponent form", 0.00001F, " 1E-05"},
                          Row{"negative fraction", -2.25F, "-2.25"},
                          Row{"seven significant digits", 9999999.0F, " 9999999"},
                          Row{"largest single", std::numeric_limits<float>::max(), " 3.402823E+38"},
                          Row{"infinity", std::numeric_limits<float>::infinity(), " Infinity"}}) {
        CAPTURE(row.name);
        CHECK(NumberText(row.value) == row.text);
    }
}
