// What the program writes for every sample stays byte for byte what it was:
// the report block a load appends (as Save > Analysis writes it after opening
// the one file) is kept in tests/data/expected.
#include "resultfile/result_load.h"

#include "result_samples.h"

#include <gtest/gtest.h>

using namespace tavo;
using namespace tavo::testing_support;

TEST(SampleReports, EveryReportIsByteForByteAsBefore)
{
    for (const char *name : {"ivanova.cry", "kuznetsova.txt", "petrov.cry", "smith.cry"}) {
        SCOPED_TRACE(name);
        const LoadOutcome outcome = loadResultFile(std::filesystem::path(TAVO_TEST_DATA) / name);
        ASSERT_TRUE(std::holds_alternative<LoadedResult>(outcome));
        std::string report;
        for (const std::string_view line : std::get<LoadedResult>(outcome).reportBlock)
            report.append(line).append("\r\n");
        const std::string expected = readFile(plainSamplesDir() / "expected" / (std::string(name) + ".report"));
        ASSERT_EQ(report.size(), expected.size());
        EXPECT_TRUE(report == expected);
    }
}
