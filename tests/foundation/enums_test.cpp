#include "foundation/enums.h"

#include <gtest/gtest.h>

#include "foundation/attributes.h"
#include "foundation/enum_table.h"

namespace Vorn {
namespace {

struct ExpectedTable
{
    const char* enumeration;
    const EnumTable& (*table)();
    SInt32 rowCount;
    UInt32 fallbackValue;
};

struct ExpectedRow
{
    const char* enumeration;
    const char* name;
    UInt32 value;
};

constexpr ExpectedTable ExpectedTables[] = {
#define ENUM_TABLE(Enumeration, Count, Fallback) {#Enumeration, &Enums::Get##Enumeration##Table, Count, Fallback},
#define ENUM_ROW(Enumeration, Name, Value)
#include "tests/foundation/enum_rows.inc"
#undef ENUM_TABLE
#undef ENUM_ROW
};

constexpr ExpectedRow ExpectedRows[] = {
#define ENUM_TABLE(Enumeration, Count, Fallback)
#define ENUM_ROW(Enumeration, Name, Value) {#Enumeration, Name, Value},
#include "tests/foundation/enum_rows.inc"
#undef ENUM_TABLE
#undef ENUM_ROW
};

Bool SameText(const char* a, const char* b)
{
    return String(a) == String(b);
}

// The earliest expected row of the enumeration with that name or value decides a lookup.
const ExpectedRow* EarliestRowNamed(const char* enumeration, const char* name)
{
    for (const ExpectedRow& row : ExpectedRows) {
        if (SameText(row.enumeration, enumeration) && SameText(row.name, name))
            return &row;
    }
    return nullptr;
}

const ExpectedRow* EarliestRowWithValue(const char* enumeration, UInt32 value)
{
    for (const ExpectedRow& row : ExpectedRows) {
        if (SameText(row.enumeration, enumeration) && row.value == value)
            return &row;
    }
    return nullptr;
}

TEST(EnumsTest, EveryTableHoldsExactlyItsRows)
{
    ASSERT_EQ(sizeof(ExpectedTables) / sizeof(ExpectedTables[0]), 55u);
    SInt32 expectedRowTotal = 0;
    for (const ExpectedTable& expected : ExpectedTables) {
        SCOPED_TRACE(expected.enumeration);
        const EnumTable& table = expected.table();
        EXPECT_EQ(table.GetNumberOfRows(), expected.rowCount);
        EXPECT_EQ(table.GetFallbackValue(), expected.fallbackValue);
        EXPECT_EQ(table.GetValue("NOT_A_ROW_NAME"), expected.fallbackValue);
        EXPECT_EQ(table.GetValue(""), expected.fallbackValue);
        expectedRowTotal += expected.rowCount;
    }
    EXPECT_EQ(SInt32(sizeof(ExpectedRows) / sizeof(ExpectedRows[0])), expectedRowTotal);
}

TEST(EnumsTest, EveryRowReadsFromNameToValueAndBack)
{
    for (const ExpectedTable& expected : ExpectedTables) {
        const EnumTable& table = expected.table();
        SInt32 rows = 0;
        for (const ExpectedRow& row : ExpectedRows) {
            if (!SameText(row.enumeration, expected.enumeration))
                continue;
            ++rows;
            SCOPED_TRACE(testing::Message() << expected.enumeration << " " << row.name << " " << row.value);
            const UInt32 value = table.GetValue(row.name);
            EXPECT_EQ(value, EarliestRowNamed(row.enumeration, row.name)->value);
            EXPECT_STREQ(table.GetName(row.value).GetText(), EarliestRowWithValue(row.enumeration, row.value)->name);
            EXPECT_STREQ(table.GetName(value).GetText(), row.name);
        }
        EXPECT_EQ(rows, expected.rowCount) << expected.enumeration;
    }
}

TEST(EnumsTest, RepeatedNameReadsAsItsEarliestRow)
{
    const EnumTable& gpus = Enums::GetGpuModelTable();
    EXPECT_EQ(gpus.GetValue("ADRENO"), 0x300u);
    EXPECT_EQ(gpus.GetName(Enums::Value(Enums::GpuModel::ADRENO)), "ADRENO");
    EXPECT_EQ(gpus.GetName(Enums::Value(Enums::GpuModel::ADRENO_1)), "ADRENO");
}

TEST(EnumsTest, NamesMatchExactly)
{
    const EnumTable& languages = Enums::GetLanguageTable();
    EXPECT_EQ(languages.GetValue("ENGLISH"), 1u);
    EXPECT_EQ(languages.GetValue("english"), 0u);
    EXPECT_EQ(languages.GetValue(" ENGLISH"), 0u);
    EXPECT_EQ(languages.GetValue("ENGLISH "), 0u);
    EXPECT_EQ(languages.GetValue("ENGLIS"), 0u);
}

TEST(EnumsTest, UnnamedValueGivesTheSharedEmptyString)
{
    const EnumTable& variables = Enums::GetShaderVariableTable();
    EXPECT_EQ(&variables.GetName(5), &String::Empty);
    EXPECT_EQ(&variables.GetName(10), &String::Empty);
    EXPECT_EQ(&Enums::GetCullModeTable().GetName(0), &String::Empty);
    EXPECT_TRUE(Enums::GetMemoryObjectTypeTable().GetName(0x7FFFFFFF).IsEmpty());
}

TEST(EnumsTest, LookupWithKnownHashFindsTheSameRow)
{
    const EnumTable& wrapModes = Enums::GetTextureWrapModeTable();
    const String name("MIRRORED_REPEAT");
    EXPECT_EQ(wrapModes.GetValue(name, name.GetHash()), Enums::Value(Enums::TextureWrapMode::MIRRORED_REPEAT));
    const String unknown("MIRRORED");
    EXPECT_EQ(wrapModes.GetValue(unknown, unknown.GetHash()), 4u);
}

TEST(EnumTableTest, TerminatorAloneGivesAnEmptyTable)
{
    constexpr EnumTable::Row rows[] = {{nullptr, 7}};
    const EnumTable table(rows);
    EXPECT_EQ(table.GetNumberOfRows(), 0);
    EXPECT_EQ(table.GetFallbackValue(), 7u);
    EXPECT_EQ(table.GetValue("A"), 7u);
    EXPECT_EQ(table.GetValue(""), 7u);
    EXPECT_EQ(&table.GetName(7), &String::Empty);
    EXPECT_EQ(&table.GetName(0), &String::Empty);
}

TEST(EnumTableTest, EarliestRowWinsInBothDirections)
{
    // Enough rows to rehash several times, long names in heap blocks, and values that differ
    // only in bit 31 (which share a bucket).
    constexpr EnumTable::Row rows[] = {
        {"FIRST", 1},
        {"A_NAME_LONG_ENOUGH_TO_LIVE_IN_A_SHARED_BLOCK", 0x80000001},
        {"SECOND", 2},
        {"FIRST", 3},
        {"ALIAS_OF_TWO", 2},
        {"FIFTEEN_LETTERS", 5},
        {"SIXTH", 6},
        {"SEVENTH", 7},
        {"EIGHTH", 8},
        {nullptr, 99},
    };
    const EnumTable table(rows);
    EXPECT_EQ(table.GetNumberOfRows(), 9);
    EXPECT_EQ(table.GetValue("FIRST"), 1u);
    EXPECT_EQ(table.GetValue("ALIAS_OF_TWO"), 2u);
    EXPECT_EQ(table.GetName(2), "SECOND");
    EXPECT_EQ(table.GetName(3), "FIRST");
    EXPECT_EQ(table.GetName(1), "FIRST");
    EXPECT_EQ(table.GetName(0x80000001), "A_NAME_LONG_ENOUGH_TO_LIVE_IN_A_SHARED_BLOCK");
    EXPECT_EQ(table.GetValue("A_NAME_LONG_ENOUGH_TO_LIVE_IN_A_SHARED_BLOCK"), 0x80000001u);
    EXPECT_EQ(table.GetValue("FIFTEEN_LETTERS"), 5u);
    EXPECT_EQ(table.GetValue("EIGHTH"), 8u);
    EXPECT_EQ(table.GetValue("NINTH"), 99u);
    EXPECT_TRUE(table.GetName(4).IsEmpty());
}

class EnumReaderTest : public testing::Test
{
protected:
    // Attribute 0 "format" names a row, 1 "unknown" names none, 2 "languages" is a list,
    // 3 "fromParameter" takes its name from the parameter list.
    EnumReaderTest()
    {
        mAttributes.AddAttribute("format", "R5_G6_B5");
        mAttributes.AddAttribute("unknown", "R5G6B5");
        mAttributes.AddAttribute("languages", "ENGLISH,KLINGON,JAPANESE");
        mAttributes.AddAttribute("fromParameter", "{mode}");
        mParameters.AddAttribute("mode", "REPEAT");
    }

    Util::Attributes mAttributes;
    Util::Attributes mParameters;
    Bool mError = false;
};

TEST_F(EnumReaderTest, ReadsANameByPositionOrByName)
{
    UInt32 value = 0;
    const UInt32 format = 0;
    EXPECT_TRUE(Util::GetEnumValue(mAttributes, format, nullptr, &mError, Enums::GetPixelFormatTable(), value));
    EXPECT_EQ(value, Enums::Value(Enums::PixelFormat::R5_G6_B5));
    value = 0;
    EXPECT_TRUE(Util::GetEnumValue(mAttributes, "format", nullptr, &mError, Enums::GetPixelFormatTable(), value));
    EXPECT_EQ(value, 5u);
    EXPECT_TRUE(mAttributes.IsAttributeUsed(format));
    EXPECT_FALSE(mError);
}

TEST_F(EnumReaderTest, UnknownNameGivesTheFallbackValueAndSucceeds)
{
    UInt32 value = 0;
    const UInt32 unknown = 1;
    EXPECT_TRUE(Util::GetEnumValue(mAttributes, unknown, nullptr, &mError, Enums::GetPixelFormatTable(), value));
    EXPECT_EQ(value, 13u);
    EXPECT_TRUE(Util::GetEnumValue(mAttributes, "unknown", nullptr, &mError, Enums::GetCullModeTable(), value));
    EXPECT_EQ(value, 0u);
    EXPECT_FALSE(mError);
}

TEST_F(EnumReaderTest, AbsentAttributeLeavesTheValueAlone)
{
    UInt32 value = 42;
    const UInt32 pastTheEnd = 4;
    EXPECT_FALSE(Util::GetEnumValue(mAttributes, "pixelFormat", nullptr, &mError, Enums::GetPixelFormatTable(), value));
    EXPECT_FALSE(Util::GetEnumValue(mAttributes, pastTheEnd, nullptr, &mError, Enums::GetPixelFormatTable(), value));
    EXPECT_EQ(value, 42u);
    EXPECT_FALSE(mError);
}

TEST_F(EnumReaderTest, PassesTheParameterListOn)
{
    UInt32 value = 0;
    const UInt32 fromParameter = 3;
    EXPECT_TRUE(Util::GetEnumValue(mAttributes, fromParameter, &mParameters, &mError, Enums::GetTextureWrapModeTable(), value));
    EXPECT_EQ(value, Enums::Value(Enums::TextureWrapMode::REPEAT));
    EXPECT_FALSE(mError);

    // Without the parameter list the braces stay in the text, which names no row.
    EXPECT_TRUE(Util::GetEnumValue(mAttributes, "fromParameter", nullptr, &mError, Enums::GetTextureWrapModeTable(), value));
    EXPECT_EQ(value, 4u);

    // A parameter that is missing fails the read and raises the caller's flag.
    Util::Attributes noParameters;
    value = 42;
    EXPECT_FALSE(Util::GetEnumValue(mAttributes, fromParameter, &noParameters, &mError, Enums::GetTextureWrapModeTable(), value));
    EXPECT_EQ(value, 42u);
    EXPECT_TRUE(mError);
}

TEST_F(EnumReaderTest, ReadsIntoAnEnumerationField)
{
    Enums::TextureWrapMode mode = Enums::TextureWrapMode::CLAMP_TO_EDGE;
    EXPECT_TRUE(Util::GetEnumValue(mAttributes, "fromParameter", &mParameters, &mError, Enums::GetTextureWrapModeTable(), mode));
    EXPECT_EQ(mode, Enums::TextureWrapMode::REPEAT);
    EXPECT_FALSE(Util::GetEnumValue(mAttributes, "absent", &mParameters, &mError, Enums::GetTextureWrapModeTable(), mode));
    EXPECT_EQ(mode, Enums::TextureWrapMode::REPEAT);
}

TEST_F(EnumReaderTest, ReadsAListInElementOrder)
{
    Array<UInt32> values;
    values.Add(77);
    EXPECT_TRUE(Util::GetEnumValues(mAttributes, "languages", nullptr, &mError, Enums::GetLanguageTable(), values));
    ASSERT_EQ(values.GetCount(), 3);
    EXPECT_EQ(values[0], 1u);
    EXPECT_EQ(values[1], 0u);
    EXPECT_EQ(values[2], 8u);

    const UInt32 languages = 2;
    EXPECT_TRUE(Util::GetEnumValues(mAttributes, languages, nullptr, &mError, Enums::GetLanguageTable(), values));
    EXPECT_EQ(values.GetCount(), 3);
    EXPECT_FALSE(mError);
}

TEST_F(EnumReaderTest, AbsentListGivesAnEmptyArray)
{
    Array<UInt32> values;
    values.Add(77);
    EXPECT_FALSE(Util::GetEnumValues(mAttributes, "includeForLanguages", nullptr, &mError, Enums::GetLanguageTable(), values));
    EXPECT_EQ(values.GetCount(), 0);
    EXPECT_EQ(values.GetCapacity(), 0);
    values.Add(77);
    const UInt32 pastTheEnd = 9;
    EXPECT_FALSE(Util::GetEnumValues(mAttributes, pastTheEnd, nullptr, &mError, Enums::GetLanguageTable(), values));
    EXPECT_EQ(values.GetCount(), 0);
    EXPECT_FALSE(mError);
}

} // namespace
} // namespace Vorn
