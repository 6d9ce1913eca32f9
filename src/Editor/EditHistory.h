// Undo and redo of the editor's changes to the world. Changes are grouped into steps, one per
// user action. A step records, in order, each object it modified (its values before the first
// change and after the last), created (its values at the end of the step) and destroyed (its
// values just before). Undo walks a step backwards: modified objects get their old values in
// place, so they keep their identity and every pointer to them stays good; created objects are
// destroyed; destroyed ones are built again with their old values and names. Redo walks it
// forwards. Objects are named by stable numbers (ObjectIds), never by address.
#pragma once

#include "Editor/ObjectIds.h"
#include "Framework/WorldObserver.h"
#include "Physics/ObjectState.h"

#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

class Test;

// A selection by object number, kept with each step so that undo and redo can select the
// step's objects again.
struct SelectionIds
{
    std::vector<int> bodies;
    std::vector<int> fixtures;
    std::vector<std::pair<int, int>> vertices;  // fixture number, vertex index
    std::vector<int> joints;
};

// Implemented by the editor: what is selected, and selecting again after undo or redo.
class SelectionKeeper
{
public:
    virtual ~SelectionKeeper() = default;
    virtual SelectionIds captureSelection(ObjectIds& ids) = 0;
    virtual void restoreSelection(const SelectionIds& selection, ObjectIds& ids) = 0;
};

// Hears of every destruction from the host itself, so that no object number outlives its object
// whoever edits through it.
class EditHistory : public WorldObserver
{
public:
    // Steps kept; the oldest go first.
    static constexpr size_t k_maxSteps = 200;

    EditHistory() = default;
    EditHistory(const EditHistory&) = delete;
    EditHistory& operator=(const EditHistory&) = delete;
    ~EditHistory() override;

    // Starts a new history on `host`'s world.
    void setHost(Test* host);
    void setSelectionKeeper(SelectionKeeper* keeper) { m_keeper = keeper; }
    ObjectIds& ids() { return m_ids; }

    void beginStep(const std::string& label);
    void endStep();
    bool stepOpen() const { return m_depth > 0; }

    // Called by the world edits: before an object changes in place, after an object is made,
    // and before one is destroyed.
    void willChange(b2Body* body);
    void willChange(b2Fixture* fixture);
    void willChange(b2Joint* joint);
    void created(b2Body* body);
    void created(b2Fixture* fixture);
    void created(b2Joint* joint);
    void willDestroy(b2Body* body);
    void willDestroy(b2Fixture* fixture);
    void willDestroy(b2Joint* joint);

    // The host announces each object before it is destroyed, and the world before it goes.
    void BodyGoing(b2Body* body) override { m_ids.forget(body); }
    void FixtureGoing(b2Fixture* fixture) override { m_ids.forget(fixture); }
    void JointGoing(b2Joint* joint) override { m_ids.forget(joint); }
    void WorldGoing(b2World* world, b2World* replacement) override;

    bool canUndo() const { return m_done > 0; }
    bool canRedo() const { return m_done < m_steps.size(); }
    // The label of the step undone or redone; empty when there was none.
    std::string undo();
    std::string redo();
    // Forgets every step (the world was replaced).
    void clear();

private:
    enum class Kind
    {
        Body,
        Fixture,
        Joint
    };
    enum class Op
    {
        Modify,
        Create,
        Destroy
    };
    struct FixtureRecord
    {
        int id = -1;
        int bodyId = -1;
        Physics::FixtureState state;
        std::string name;
    };
    struct BodyRecord
    {
        int id = -1;
        Physics::BodyState state;
        std::string name;
        // Whole bodies (created or destroyed) carry their fixtures in list order.
        std::vector<FixtureRecord> fixtures;
    };
    struct JointRecord
    {
        int id = -1;
        int bodyA = -1;
        int bodyB = -1;
        int gearJoint1 = -1;
        int gearJoint2 = -1;
        Physics::JointState state;
        std::string name;
    };
    // The records before (0) and after (1), of the entry's kind only: entries stay small, so
    // recording costs little beside the change it records.
    struct Entry
    {
        Entry(Op op, Kind kind, int id);

        Op op;
        Kind kind;
        int id;
        bool final = false;  // `after` taken
        std::unique_ptr<std::array<BodyRecord, 2>> body;
        std::unique_ptr<std::array<FixtureRecord, 2>> fixture;
        std::unique_ptr<std::array<JointRecord, 2>> joint;
    };
    struct Step
    {
        std::string label;
        std::vector<Entry> entries;
        SelectionIds selectionBefore;
        SelectionIds selectionAfter;
    };

    BodyRecord recordBody(b2Body* body, bool withFixtures);
    FixtureRecord recordFixture(b2Fixture* fixture);
    JointRecord recordJoint(b2Joint* joint);
    // Takes the values an entry leaves behind, if not taken yet and the object still exists.
    void finish(Entry& entry);
    void finishEntriesOf(Kind kind, int id);
    // The open step's first entry for the object, or null.
    Entry* entryFor(Kind kind, int id);
    void push(Entry entry);
    bool recording() const { return m_depth > 0 && m_replaying == 0 && m_host != nullptr; }

    // Applies a step's entries backwards (undo) or forwards (redo).
    std::string replay(const Step& step, bool forward);
    void apply(const Entry& entry, bool forward);
    void restore(Kind kind, const Entry& entry, int slot);
    void rebuild(Kind kind, const Entry& entry, int slot);
    void destroy(Kind kind, int id);
    void settle();

    Test* m_host = nullptr;
    SelectionKeeper* m_keeper = nullptr;
    ObjectIds m_ids;
    std::deque<Step> m_steps;
    size_t m_done = 0;
    Step m_open;
    // Position of each object's first entry in the open step, by kind and number.
    std::unordered_map<int64_t, size_t> m_openEntries;
    int m_depth = 0;
    int m_replaying = 0;
};
