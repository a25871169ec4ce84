#include <algorithm>
#include <thread>

#include "zip_test_base.h"

namespace q32::zip::test {
namespace {

class Status : public ZipEngineTest {
protected:
    void record() {
        engine.onStatus = [this](int percent) {
            percents.push_back(percent);
            threads.push_back(std::this_thread::get_id());
        };
    }
    std::vector<int> percents;
    std::vector<std::thread::id> threads;
};

TEST_F(Status, ComesOnTheCallingThreadAndEndsOnceAtOneHundred) {
    std::vector<MemberSpec> members;
    for (int i = 0; i < 40; ++i) members.push_back(file("f" + std::to_string(i) + ".txt", sampleText(100000, i)));
    writeZip(path("tool.zip"), members);
    record();

    ASSERT_EQ(extract("tool.zip", "out"), zipcode::Success);
    ASSERT_EQ(test("tool.zip"), zipcode::Success);

    EXPECT_EQ(std::count(percents.begin(), percents.end(), 100), 2);
    EXPECT_EQ(percents.back(), 100);
    EXPECT_TRUE(std::is_sorted(percents.begin(), std::find(percents.begin(), percents.end(), 100)));
    for (const auto& thread : threads) EXPECT_EQ(thread, std::this_thread::get_id());
}

TEST_F(Status, AbortFromTheNotificationStopsTheRunWithNothingHalfWritten) {
    writeZip(path("tool.zip"), {file("a.txt", sampleText(100000, 1)), file("b.txt", "b")});
    engine.onStatus = [this](int) { engine.setAbort(true); };

    EXPECT_EQ(extract("tool.zip", "out"), zipcode::Aborted);
    EXPECT_EQ(test("tool.zip"), zipcode::Aborted);
    EXPECT_FALSE(exists("out/a.txt"));

    engine.onStatus = nullptr;
    EXPECT_EQ(extract("tool.zip", "out"), zipcode::Success);  // every call starts without the flag
    engine.setAbort(true);
    EXPECT_EQ(test("tool.zip"), zipcode::Success);
}

TEST_F(Status, AbortInTheMiddleOfALargeMemberStopsIt) {
    writeZerosZip(path("zeros.zip"), "zeros.bin", 0xF0000000);  // 3.75 GB to inflate
    int calls = 0;
    engine.onStatus = [&](int) {
        if (++calls == 2) engine.setAbort(true);  // the first call comes before any work
    };

    EXPECT_EQ(test("zeros.zip"), zipcode::Aborted);
    EXPECT_GE(calls, 2);
}

}  // namespace
}  // namespace q32::zip::test
