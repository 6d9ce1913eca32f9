#include "WorldDoc/SkipLog.h"

#include <algorithm>
#include <iostream>

void SkipLog::add(Section section, int index, int part, std::string line)
{
    m_entries.push_back(Entry{std::make_tuple(static_cast<int>(section), index, part), std::move(line)});
}

int SkipLog::skippedCount() const
{
    int count = 0;
    for (const Entry& entry : m_entries)
    {
        count += std::get<2>(entry.position) != k_massLine ? 1 : 0;
    }
    return count;
}

void SkipLog::print()
{
    std::stable_sort(m_entries.begin(), m_entries.end(),
                     [](const Entry& a, const Entry& b) { return a.position < b.position; });
    for (const Entry& entry : m_entries)
    {
        std::cout << entry.line << '\n';
    }
    std::cout.flush();
    m_entries.clear();
}

namespace
{

std::string Describe(const char* kind, int index)
{
    return index < 0 ? std::string(kind) : std::string(kind) + " " + std::to_string(index);
}

}  // namespace

std::string DescribeBody(int index)
{
    return Describe("body", index);
}

std::string DescribeFixture(int index, int bodyIndex)
{
    const std::string fixture = Describe("fixture", index);
    return bodyIndex < 0 ? fixture : fixture + " of " + DescribeBody(bodyIndex);
}

std::string DescribeJoint(int index)
{
    return Describe("joint", index);
}
