// Floats, vectors and vertex lists as scene files spell them, and reading them back bit for bit.
#include "WorldDoc/WorldDoc.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>

namespace
{

uint32_t Bits(float f)
{
    uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    return bits;
}

Json::Value Written(float f)
{
    Json::Value object(Json::objectValue);
    WorldDoc::floatToJson("v", f, object);
    return object["v"];
}

const float k_infinity = std::numeric_limits<float>::infinity();

TEST(FloatEncoding, ZeroAndOneAreIntegersEverythingElseIsUppercaseHex)
{
    EXPECT_EQ(Json::Value(0), Written(0.0f));
    EXPECT_EQ(Json::Value(0), Written(-0.0f));
    EXPECT_EQ(Json::Value(1), Written(1.0f));
    EXPECT_EQ(Json::Value("3FC00000"), Written(1.5f));
    EXPECT_EQ(Json::Value("C1200000"), Written(-10.0f));
    EXPECT_EQ(Json::Value("3E4CCCCD"), Written(0.2f));
    EXPECT_EQ(Json::Value("7F800000"), Written(k_infinity));
    EXPECT_EQ(Json::Value("FF800000"), Written(-k_infinity));
    EXPECT_EQ(Json::Value("00000001"), Written(std::numeric_limits<float>::denorm_min()));
}

TEST(FloatEncoding, EveryBitPatternSurvivesTheRoundTrip)
{
    // A stride through all 2^32 patterns that visits every exponent and sign, NaN payloads and
    // denormals included.
    for (uint64_t pattern = 0; pattern <= 0xFFFFFFFFu; pattern += 0x00010007u)
    {
        float original;
        const uint32_t bits = static_cast<uint32_t>(pattern);
        std::memcpy(&original, &bits, sizeof original);
        float decoded = 0.0f;
        ASSERT_TRUE(WorldDoc::hexToFloat(WorldDoc::floatToHex(original), decoded));
        ASSERT_EQ(bits, Bits(decoded));

        Json::Value object(Json::objectValue);
        WorldDoc::floatToJson("v", original, object);
        const uint32_t expected = original == 0.0f ? 0u : bits;  // the format has one zero
        ASSERT_EQ(expected, Bits(WorldDoc::jsonToFloat("v", object, 7.0f)));
    }
}

TEST(FloatEncoding, MalformedHexIsRejectedWithoutReadingPastTheString)
{
    float out = 42.0f;
    for (const std::string text : {"", "3F80", "3F8000000", "3F80000G", " 3F80000", "+3F80000", "0x3F8000"})
    {
        EXPECT_FALSE(WorldDoc::hexToFloat(text, out)) << text;
    }
    EXPECT_FALSE(WorldDoc::hexToFloat(std::string("3F80") + '\0' + "000", out));
    EXPECT_EQ(42.0f, out);
    ASSERT_TRUE(WorldDoc::hexToFloat("3fc00000", out)) << "lowercase digits spell the same pattern";
    EXPECT_EQ(1.5f, out);
}

TEST(FloatEncoding, ReaderTakesIntegersRealsAndHexAndFallsBackOtherwiseAndVectorsAreZeroOrObjects)
{
    Json::Value doc;
    const std::string text = R"({"int": 7, "real": 0.1, "huge": 1e300, "hex": "C1200000",
        "bad": "nonsense", "flag": true, "list": [1], "none": null})";
    ASSERT_TRUE(Json::Reader().parse(text, doc));
    EXPECT_EQ(7.0f, WorldDoc::jsonToFloat("int", doc));
    EXPECT_EQ(0.1f, WorldDoc::jsonToFloat("real", doc));
    EXPECT_EQ(k_infinity, WorldDoc::jsonToFloat("huge", doc));
    EXPECT_EQ(-10.0f, WorldDoc::jsonToFloat("hex", doc));
    for (const char* key : {"bad", "flag", "list", "none", "absent"})
    {
        EXPECT_EQ(-2.5f, WorldDoc::jsonToFloat(key, doc, -2.5f)) << key;
    }
    EXPECT_EQ(-2.5f, WorldDoc::jsonToFloat("int", Json::Value(3), -2.5f)) << "not an object";

    // Vectors are 0 or objects, and any integer reads as the zero vector.
    Json::Value object(Json::objectValue);
    WorldDoc::vecToJson("zero", b2Vec2(0.0f, -0.0f), object);
    WorldDoc::vecToJson("gravity", b2Vec2(0.0f, -10.0f), object);
    EXPECT_EQ(Json::Value(0), object["zero"]);
    EXPECT_EQ(Json::Value(0), object["gravity"]["x"]);
    EXPECT_EQ(Json::Value("C1200000"), object["gravity"]["y"]);
    EXPECT_EQ(b2Vec2(0.0f, -10.0f), WorldDoc::jsonToVec("gravity", object));

    object["seven"] = 7;
    object["half"]["x"] = 2.5;
    object["text"] = "3F800000";
    const b2Vec2 fallback(4.0f, 5.0f);
    EXPECT_EQ(b2Vec2(0.0f, 0.0f), WorldDoc::jsonToVec("seven", object, -1, fallback));
    EXPECT_EQ(b2Vec2(2.5f, 0.0f), WorldDoc::jsonToVec("half", object));
    EXPECT_EQ(fallback, WorldDoc::jsonToVec("absent", object, -1, fallback));
    EXPECT_EQ(fallback, WorldDoc::jsonToVec("text", object, -1, fallback));
}

}  // namespace
