// A DocSink that writes the document's text directly, byte for byte as JsonCpp's
// Json::StyledWriter (Layout::Writer) or Json::StyledStreamWriter with three-space indentation
// (Layout::StreamWriter) print the equivalent tree. Building and freeing a JsonCpp tree costs
// about as much as printing it, and large scenes are saved often (snapshots), so scene text is
// laid out without one; the tests compare both layouts with JsonCpp's own output.
//
// The layout rules it follows: members and elements each start a new line, indented three
// spaces per level; a container opening after a key stays on the key's line (Writer) or starts
// its own line (StreamWriter); empty containers print as {} and []; an array of scalars stays
// on one line, "[ a, b ]", when it has fewer than 25 elements and that line stays under 74
// characters; a same-line comment follows the value's comma. Arrays in scene documents hold
// either scalars or non-empty objects, never empty containers.
#pragma once

#include "WorldDoc/DocSink.h"

#include <cstddef>
#include <string>
#include <vector>

class StyledText : public DocSink
{
public:
    enum class Layout
    {
        Writer,
        StreamWriter
    };

    explicit StyledText(Layout layout);

    // The finished text, ending with a line break once the root value is complete.
    std::string take() { return std::move(m_text); }

    void beginObject(const char* key) override;
    void endObject() override;
    void beginArray(const char* key) override;
    void endArray() override;
    void putInt(const char* key, int value, const char* comment) override;
    void putBool(const char* key, bool value) override;
    void putReal(const char* key, double value) override;
    void putString(const char* key, const std::string& value) override;
    void putHex(const char* key, float value) override;
    using DocSink::putInt;

private:
    struct Container
    {
        bool array;
        bool afterKey;  // the value of an object member
        bool opened;    // its opening bracket is written (deferred until its first value)
        bool decided;   // arrays: whether it spans lines is known
        bool hasValues;
        const char* comment;  // same-line comment still to write after the last value
    };

    void beginContainer(bool array, const char* key);
    void endContainer();
    void putScalar(const char* key, const char* text, std::size_t length, const char* comment);
    // Comma and comment after the previous value, then the new line and key of the next one.
    void beginValue(const char* key);
    void open(Container& container, std::size_t depth);
    // Writes the buffered scalars of the open array one per line, or all on one line.
    void spanLines();
    void writeOneLine();
    void writeComment(Container& container);
    void newLine(std::size_t depth);

    Layout m_layout;
    std::string m_text;
    std::vector<Container> m_open;
    // Scalars of the innermost array while its layout is undecided.
    std::string m_pending;
    std::vector<std::size_t> m_pendingEnds;
};
