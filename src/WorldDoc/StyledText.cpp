#include "WorldDoc/StyledText.h"

#include "WorldDoc/FloatEncoding.h"

#include <json/json.h>

#include <charconv>

namespace
{

constexpr std::size_t k_indent = 3;
// JsonCpp's right margin: a single-line array must stay shorter.
constexpr std::size_t k_rightMargin = 74;

// Strings and reals are rare in scene documents (names, the gear ratio): JsonCpp prints them
// itself, so escaping and number formatting are its own.
std::string JsonCppText(const Json::Value& scalar)
{
    Json::StyledWriter writer;
    std::string text = writer.write(scalar);
    text.pop_back();  // the writer's final line break
    return text;
}

}  // namespace

StyledText::StyledText(Layout layout) : m_layout(layout) {}

void StyledText::newLine(std::size_t depth)
{
    m_text += '\n';
    m_text.append(depth * k_indent, ' ');
}

void StyledText::writeComment(Container& container)
{
    if (container.comment)
    {
        m_text += ' ';
        m_text += container.comment;
        container.comment = nullptr;
    }
}

void StyledText::open(Container& container, std::size_t depth)
{
    if (container.afterKey && m_layout == Layout::StreamWriter)
    {
        newLine(depth);
    }
    m_text += container.array ? '[' : '{';
    container.opened = true;
}

void StyledText::beginValue(const char* key)
{
    const std::size_t depth = m_open.size();
    Container& parent = m_open.back();
    if (!parent.opened)
    {
        open(parent, depth - 1);
    }
    if (parent.hasValues)
    {
        m_text += ',';
        writeComment(parent);
    }
    parent.hasValues = true;
    newLine(depth);
    if (key)
    {
        m_text += '"';
        m_text += key;
        m_text += "\" : ";
    }
}

void StyledText::spanLines()
{
    m_open.back().decided = true;
    std::size_t begin = 0;
    for (const std::size_t end : m_pendingEnds)
    {
        beginValue(nullptr);
        m_text.append(m_pending, begin, end - begin);
        begin = end;
    }
    m_pending.clear();
    m_pendingEnds.clear();
}

void StyledText::writeOneLine()
{
    if (m_pendingEnds.empty())
    {
        m_text += "[]";
        return;
    }
    m_text += "[ ";
    std::size_t begin = 0;
    for (const std::size_t end : m_pendingEnds)
    {
        if (begin > 0)
        {
            m_text += ", ";
        }
        m_text.append(m_pending, begin, end - begin);
        begin = end;
    }
    m_text += " ]";
    m_pending.clear();
    m_pendingEnds.clear();
}

void StyledText::beginContainer(bool array, const char* key)
{
    if (!m_open.empty())
    {
        if (m_open.back().array && !m_open.back().decided)
        {
            spanLines();
        }
        beginValue(key);
    }
    m_open.push_back(Container{array, key != nullptr, false, !array, false, nullptr});
}

void StyledText::endContainer()
{
    Container& container = m_open.back();
    if (container.array && !container.decided)
    {
        const std::size_t count = m_pendingEnds.size();
        const std::size_t lineLength = 4 + (count > 0 ? (count - 1) * 2 : 0) + m_pending.size();
        if (count * 3 >= k_rightMargin || lineLength >= k_rightMargin)
        {
            spanLines();
        }
    }
    if (container.array && !container.decided)
    {
        writeOneLine();
    }
    else if (!container.hasValues)
    {
        m_text += container.array ? "[]" : "{}";
    }
    else
    {
        writeComment(container);
        newLine(m_open.size() - 1);
        m_text += container.array ? ']' : '}';
    }
    m_open.pop_back();
    if (m_open.empty())
    {
        m_text += '\n';
    }
}

void StyledText::putScalar(const char* key, const char* text, std::size_t length, const char* comment)
{
    Container& parent = m_open.back();
    if (parent.array && !parent.decided)
    {
        m_pending.append(text, length);
        m_pendingEnds.push_back(m_pending.size());
        return;
    }
    beginValue(key);
    m_text.append(text, length);
    parent.comment = comment;
}

void StyledText::beginObject(const char* key)
{
    beginContainer(false, key);
}

void StyledText::endObject()
{
    endContainer();
}

void StyledText::beginArray(const char* key)
{
    beginContainer(true, key);
}

void StyledText::endArray()
{
    endContainer();
}

void StyledText::putInt(const char* key, int value, const char* comment)
{
    char digits[16];
    const std::to_chars_result result = std::to_chars(digits, digits + sizeof digits, value);
    putScalar(key, digits, static_cast<std::size_t>(result.ptr - digits), comment);
}

void StyledText::putBool(const char* key, bool value)
{
    putScalar(key, value ? "true" : "false", value ? 4 : 5, nullptr);
}

void StyledText::putReal(const char* key, double value)
{
    const std::string text = JsonCppText(Json::Value(value));
    putScalar(key, text.data(), text.size(), nullptr);
}

void StyledText::putString(const char* key, const std::string& value)
{
    const std::string text = JsonCppText(Json::Value(value));
    putScalar(key, text.data(), text.size(), nullptr);
}

void StyledText::putHex(const char* key, float value)
{
    char quoted[k_hexDigits + 3];
    quoted[0] = '"';
    FormatHex(value, quoted + 1);
    quoted[k_hexDigits + 1] = '"';
    putScalar(key, quoted, k_hexDigits + 2, nullptr);
}
