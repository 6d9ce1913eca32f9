// How scene files spell numbers and vectors. Floats are the JSON integers 0 and 1 or eight
// uppercase hex digits of their IEEE-754 bit pattern, so every value reads back bit for bit;
// vectors are 0 or {"x", "y"}; vertex lists are parallel "x" and "y" arrays.
#pragma once

#include <box2d/box2d.h>
#include <json/json.h>

#include <cstddef>

constexpr std::size_t k_hexDigits = 8;

// Writes the eight digits and a terminating NUL.
void FormatHex(float f, char out[k_hexDigits + 1]);
// Exactly eight hex digits (either case); false for anything else.
bool ParseHex(const char* text, std::size_t length, float& out);

// An integer, a real or a hex string; false for other JSON types and malformed strings.
bool DecodeFloat(const Json::Value& value, float& out);
// Any integer is the zero vector; an object gives its "x" and "y" float values (absent or null
// components read 0). False for other JSON types and malformed components.
bool DecodeVector(const Json::Value& value, b2Vec2& out);

// The member `key` of `object` when `object` is an object holding it with a non-null value.
const Json::Value* FindMember(const Json::Value& object, const char* key);

