// One user action as one undoable step of the world's edits, for as long as this object lives,
// however the action ends (applied, refused half-way through its checks, nothing to do).
#pragma once

#include "Editor/WorldEdits.h"

#include <string>

class EditStep
{
public:
    EditStep(WorldEdits& edits, const std::string& label)
        : m_edits(edits)
    {
        m_edits.beginStep(label);
    }
    ~EditStep() { m_edits.endStep(); }
    EditStep(const EditStep&) = delete;
    EditStep& operator=(const EditStep&) = delete;

private:
    WorldEdits& m_edits;
};
