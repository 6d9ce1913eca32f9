// Lines about skipped parts of a scene document. The reader creates bodies, fixtures and joints
// from the last to the first (so that the world's lists keep the document's order), yet the
// lines must come out in document order: they are collected with their position and printed,
// sorted, when the reading operation ends.
#pragma once

#include <exception>
#include <iostream>
#include <string>
#include <tuple>
#include <vector>

class SkipLog
{
public:
    // Position of the object a line is about: bodies come before joints; within a body its own
    // line comes first, then its fixtures' lines in order, then lines about its mass.
    enum Section
    {
        k_bodies,
        k_joints
    };
    static constexpr int k_objectLine = -1;
    static constexpr int k_massLine = 1 << 30;

    void add(Section section, int index, int part, std::string line);
    // Lines about parts of the document left out: every line but the notes on mass data, which
    // leave their body loaded.
    int skippedCount() const;
    // Prints every line on standard output, in document order, and forgets them.
    void print();

private:
    struct Entry
    {
        std::tuple<int, int, int> position;
        std::string line;
    };
    std::vector<Entry> m_entries;
};

// Runs one reading operation (`read` takes the log and returns the new object or null), then
// prints its lines. An exception, which the checks before every access to the document should
// rule out, ends the operation with one more line and a null result.
template <typename Object, typename Read>
Object* ReadAndReport(const char* what, Read read)
{
    SkipLog log;
    Object* object = nullptr;
    std::string failure;
    try
    {
        object = read(log);
    }
    catch (const std::exception& e)
    {
        failure = std::string("Could not read ") + what + ": " + e.what();
    }
    log.print();
    if (!failure.empty())
    {
        std::cout << failure << std::endl;
    }
    return object;
}

// "body 5", or "body" when the position is not known (-1).
std::string DescribeBody(int index);
// "fixture 2 of body 5", "fixture 2", or "fixture".
std::string DescribeFixture(int index, int bodyIndex);
std::string DescribeJoint(int index);
