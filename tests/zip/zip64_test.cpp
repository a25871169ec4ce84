#include <zip.h>

#include "zip_test_base.h"

namespace q32::zip::test {
namespace {

class Zip64 : public ZipEngineTest {};

TEST_F(Zip64, SizesAndOffsetsInZip64FieldsAreRead) {
    writeZip64Stored(path("z64.zip"), {file("one.txt", "first member"), file("dir/two.txt", sampleText(3000, 11))});
    ASSERT_NE(readBytes(path("z64.zip")).find("PK\6\6"), std::string::npos);

    EXPECT_EQ(test("z64.zip"), zipcode::Success);
    EXPECT_EQ(extract("z64.zip", "out"), zipcode::Success);
    EXPECT_EQ(contents("out/one.txt"), "first member");
    EXPECT_EQ(contents("out/dir/two.txt"), sampleText(3000, 11));

    flipByte(path("z64.zip"), findBytes(path("z64.zip"), "first member"));
    EXPECT_EQ(test("z64.zip"), zipcode::CrcMismatch);
}

TEST_F(Zip64, LibzipWritesZip64EndRecordsForManyMembers) {
    std::vector<MemberSpec> members;
    for (int i = 0; i < 70000; ++i) members.push_back(file("m/" + std::to_string(i), std::to_string(i), ZIP_CM_STORE));
    writeZip(path("many.zip"), members);
    ASSERT_NE(readBytes(path("many.zip")).find("PK\6\6"), std::string::npos);

    EXPECT_EQ(test("many.zip"), zipcode::Success);
    EXPECT_EQ(extract("many.zip", "out", "69999"), zipcode::Success);
    EXPECT_EQ(temp.listing(), (std::vector<std::string>{"many.zip", "out", "out/m", "out/m/69999"}));
}

}  // namespace
}  // namespace q32::zip::test
