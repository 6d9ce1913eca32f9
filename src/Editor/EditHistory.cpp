#include "Editor/EditHistory.h"

#include "Framework/Test.h"
#include "Physics/BodyState.h"

#include <algorithm>

namespace
{

template <class Object>
std::string NameIn(const std::map<Object*, std::string>& names, Object* object)
{
    auto found = names.find(object);
    return found != names.end() ? found->second : std::string();
}

}  // namespace

// Recording.

EditHistory::BodyRecord EditHistory::recordBody(b2Body* body, bool withFixtures)
{
    BodyRecord record;
    record.id = m_ids.of(body);
    record.state = Physics::CaptureBody(body);
    record.name = NameIn(m_host->names.bodyNames, body);
    if (withFixtures)
    {
        for (b2Fixture* f = body->GetFixtureList(); f != nullptr; f = f->GetNext())
        {
            record.fixtures.push_back(recordFixture(f));
        }
    }
    return record;
}

EditHistory::FixtureRecord EditHistory::recordFixture(b2Fixture* fixture)
{
    FixtureRecord record;
    record.id = m_ids.of(fixture);
    record.bodyId = m_ids.of(fixture->GetBody());
    record.state = Physics::CaptureFixture(fixture);
    record.name = NameIn(m_host->names.fixtureNames, fixture);
    return record;
}

EditHistory::JointRecord EditHistory::recordJoint(b2Joint* joint)
{
    JointRecord record;
    record.id = m_ids.of(joint);
    record.bodyA = m_ids.of(joint->GetBodyA());
    record.bodyB = m_ids.of(joint->GetBodyB());
    if (joint->GetType() == e_gearJoint)
    {
        auto* gear = static_cast<b2GearJoint*>(joint);
        record.gearJoint1 = m_ids.of(gear->GetJoint1());
        record.gearJoint2 = m_ids.of(gear->GetJoint2());
    }
    record.state = Physics::CaptureJoint(joint);
    record.name = NameIn(m_host->names.jointNames, joint);
    return record;
}

namespace
{

int64_t EntryKey(int kind, int id)
{
    return (static_cast<int64_t>(kind) << 32) | static_cast<uint32_t>(id);
}

}  // namespace

EditHistory::Entry::Entry(Op op, Kind kind, int id) : op(op), kind(kind), id(id)
{
    switch (kind)
    {
    case Kind::Body:
        body = std::make_unique<std::array<BodyRecord, 2>>();
        break;
    case Kind::Fixture:
        fixture = std::make_unique<std::array<FixtureRecord, 2>>();
        break;
    case Kind::Joint:
        joint = std::make_unique<std::array<JointRecord, 2>>();
        break;
    }
}

EditHistory::Entry* EditHistory::entryFor(Kind kind, int id)
{
    auto found = m_openEntries.find(EntryKey(static_cast<int>(kind), id));
    return found != m_openEntries.end() ? &m_open.entries[found->second] : nullptr;
}

void EditHistory::push(Entry entry)
{
    m_openEntries.emplace(EntryKey(static_cast<int>(entry.kind), entry.id), m_open.entries.size());
    m_open.entries.push_back(std::move(entry));
}

void EditHistory::finish(Entry& entry)
{
    if (entry.final || entry.op == Op::Destroy)
    {
        entry.final = true;
        return;
    }
    switch (entry.kind)
    {
    case Kind::Body:
        if (b2Body* body = m_ids.body(entry.id))
        {
            (*entry.body)[1] = recordBody(body, entry.op == Op::Create);
            entry.final = true;
        }
        break;
    case Kind::Fixture:
        if (b2Fixture* fixture = m_ids.fixture(entry.id))
        {
            (*entry.fixture)[1] = recordFixture(fixture);
            entry.final = true;
        }
        break;
    case Kind::Joint:
        if (b2Joint* joint = m_ids.joint(entry.id))
        {
            (*entry.joint)[1] = recordJoint(joint);
            entry.final = true;
        }
        break;
    }
}

void EditHistory::finishEntriesOf(Kind kind, int id)
{
    // An object has at most one entry besides its destruction, which is always its last.
    if (Entry* entry = entryFor(kind, id))
    {
        finish(*entry);
    }
}

void EditHistory::beginStep(const std::string& label)
{
    if (m_replaying > 0)
    {
        return;
    }
    if (m_depth++ == 0)
    {
        m_open = Step();
        m_openEntries.clear();
        m_open.label = label;
        if (m_keeper != nullptr)
        {
            m_open.selectionBefore = m_keeper->captureSelection(m_ids);
        }
    }
}

void EditHistory::endStep()
{
    if (m_replaying > 0 || m_depth == 0 || --m_depth > 0)
    {
        return;
    }
    for (Entry& entry : m_open.entries)
    {
        finish(entry);
    }
    if (m_open.entries.empty())
    {
        return;
    }
    if (m_keeper != nullptr)
    {
        m_open.selectionAfter = m_keeper->captureSelection(m_ids);
    }
    // A new step after an undo drops the steps that could have been redone.
    m_steps.resize(m_done);
    m_steps.push_back(std::move(m_open));
    m_open = Step();
    m_openEntries.clear();
    if (m_steps.size() > k_maxSteps)
    {
        m_steps.pop_front();
    }
    m_done = m_steps.size();
}

void EditHistory::willChange(b2Body* body)
{
    if (!recording() || entryFor(Kind::Body, m_ids.of(body)) != nullptr)
    {
        return;
    }
    Entry entry(Op::Modify, Kind::Body, m_ids.of(body));
    (*entry.body)[0] = recordBody(body, false);
    push(std::move(entry));
}

void EditHistory::willChange(b2Fixture* fixture)
{
    if (!recording())
    {
        return;
    }
    // Shape and density changes move the body's mass, and some setters wake it.
    willChange(fixture->GetBody());
    const Entry* bodyEntry = entryFor(Kind::Body, m_ids.of(fixture->GetBody()));
    if (entryFor(Kind::Fixture, m_ids.of(fixture)) != nullptr || (bodyEntry != nullptr && bodyEntry->op == Op::Create))
    {
        return;
    }
    Entry entry(Op::Modify, Kind::Fixture, m_ids.of(fixture));
    (*entry.fixture)[0] = recordFixture(fixture);
    push(std::move(entry));
}

void EditHistory::willChange(b2Joint* joint)
{
    if (!recording())
    {
        return;
    }
    // Joint setters wake the joint's bodies.
    willChange(joint->GetBodyA());
    willChange(joint->GetBodyB());
    if (entryFor(Kind::Joint, m_ids.of(joint)) != nullptr)
    {
        return;
    }
    Entry entry(Op::Modify, Kind::Joint, m_ids.of(joint));
    (*entry.joint)[0] = recordJoint(joint);
    push(std::move(entry));
}

void EditHistory::created(b2Body* body)
{
    if (!recording())
    {
        return;
    }
    Entry entry(Op::Create, Kind::Body, m_ids.of(body));
    push(std::move(entry));
}

void EditHistory::created(b2Fixture* fixture)
{
    if (!recording())
    {
        return;
    }
    // A body made in this step is recorded whole, with every fixture it has at the end.
    const Entry* bodyEntry = entryFor(Kind::Body, m_ids.of(fixture->GetBody()));
    if (bodyEntry != nullptr && bodyEntry->op == Op::Create)
    {
        return;
    }
    Entry entry(Op::Create, Kind::Fixture, m_ids.of(fixture));
    push(std::move(entry));
}

void EditHistory::created(b2Joint* joint)
{
    if (!recording())
    {
        return;
    }
    Entry entry(Op::Create, Kind::Joint, m_ids.of(joint));
    push(std::move(entry));
}

void EditHistory::willDestroy(b2Body* body)
{
    if (!recording())
    {
        return;
    }
    finishEntriesOf(Kind::Body, m_ids.of(body));
    for (b2Fixture* f = body->GetFixtureList(); f != nullptr; f = f->GetNext())
    {
        finishEntriesOf(Kind::Fixture, m_ids.of(f));
    }
    Entry entry(Op::Destroy, Kind::Body, m_ids.of(body));
    entry.final = true;
    (*entry.body)[0] = recordBody(body, true);
    push(std::move(entry));
}

void EditHistory::willDestroy(b2Fixture* fixture)
{
    if (!recording())
    {
        return;
    }
    willChange(fixture->GetBody());
    finishEntriesOf(Kind::Fixture, m_ids.of(fixture));
    Entry entry(Op::Destroy, Kind::Fixture, m_ids.of(fixture));
    entry.final = true;
    (*entry.fixture)[0] = recordFixture(fixture);
    push(std::move(entry));
}

void EditHistory::willDestroy(b2Joint* joint)
{
    if (!recording())
    {
        return;
    }
    // Destroying a joint wakes its bodies.
    willChange(joint->GetBodyA());
    willChange(joint->GetBodyB());
    finishEntriesOf(Kind::Joint, m_ids.of(joint));
    Entry entry(Op::Destroy, Kind::Joint, m_ids.of(joint));
    entry.final = true;
    (*entry.joint)[0] = recordJoint(joint);
    push(std::move(entry));
}

// Replaying.

void EditHistory::restore(Kind kind, const Entry& entry, int slot)
{
    switch (kind)
    {
    case Kind::Body:
        if (b2Body* body = m_ids.body(entry.id))
        {
            Physics::RestoreBody(body, (*entry.body)[slot].state);
            m_host->names.set(body, (*entry.body)[slot].name);
        }
        break;
    case Kind::Fixture:
        if (b2Fixture* fixture = m_ids.fixture(entry.id))
        {
            Physics::RestoreFixture(fixture, (*entry.fixture)[slot].state);
            m_host->names.set(fixture, (*entry.fixture)[slot].name);
        }
        break;
    case Kind::Joint:
        if (b2Joint* joint = m_ids.joint(entry.id))
        {
            Physics::RestoreJoint(joint, (*entry.joint)[slot].state);
            m_host->names.set(joint, (*entry.joint)[slot].name);
        }
        break;
    }
}

void EditHistory::rebuild(Kind kind, const Entry& entry, int slot)
{
    b2World* world = m_host->GetWorld();
    switch (kind)
    {
    case Kind::Body:
    {
        const BodyRecord& record = (*entry.body)[slot];
        b2Body* body = Physics::CreateBody(world, record.state);
        if (body == nullptr)
        {
            return;
        }
        m_ids.rebind(record.id, body);
        m_host->names.set(body, record.name);
        // The library puts each new fixture first: made last to first, they keep their order.
        for (auto f = record.fixtures.rbegin(); f != record.fixtures.rend(); ++f)
        {
            if (b2Fixture* fixture = Physics::CreateFixture(body, f->state))
            {
                m_ids.rebind(f->id, fixture);
                m_host->names.set(fixture, f->name);
            }
        }
        Physics::RestoreBody(body, record.state);
        break;
    }
    case Kind::Fixture:
    {
        const FixtureRecord& record = (*entry.fixture)[slot];
        b2Body* body = m_ids.body(record.bodyId);
        b2Fixture* fixture = body != nullptr ? Physics::CreateFixture(body, record.state) : nullptr;
        if (fixture != nullptr)
        {
            m_ids.rebind(record.id, fixture);
            m_host->names.set(fixture, record.name);
        }
        break;
    }
    case Kind::Joint:
    {
        const JointRecord& record = (*entry.joint)[slot];
        b2Body* bodyA = m_ids.body(record.bodyA);
        b2Body* bodyB = m_ids.body(record.bodyB);
        if (bodyA == nullptr || bodyB == nullptr)
        {
            return;
        }
        b2Joint* joint = Physics::CreateJoint(world, record.state, bodyA, bodyB, m_ids.joint(record.gearJoint1),
                                              m_ids.joint(record.gearJoint2));
        if (joint != nullptr)
        {
            m_ids.rebind(record.id, joint);
            m_host->names.set(joint, record.name);
        }
        break;
    }
    }
}

void EditHistory::destroy(Kind kind, int id)
{
    switch (kind)
    {
    case Kind::Body:
        m_host->DestroyBody(m_ids.body(id));
        break;
    case Kind::Fixture:
        m_host->DestroyFixture(m_ids.fixture(id));
        break;
    case Kind::Joint:
        m_host->DestroyJoint(m_ids.joint(id));
        break;
    }
}

void EditHistory::apply(const Entry& entry, bool forward)
{
    switch (entry.op)
    {
    case Op::Modify:
        if (!forward || entry.final)
        {
            restore(entry.kind, entry, forward ? 1 : 0);
        }
        break;
    case Op::Create:
        if (!forward)
        {
            destroy(entry.kind, entry.id);
        }
        else if (entry.final)
        {
            rebuild(entry.kind, entry, 1);
        }
        break;
    case Op::Destroy:
        if (forward)
        {
            destroy(entry.kind, entry.id);
        }
        else
        {
            rebuild(entry.kind, entry, 0);
        }
        break;
    }
}

void EditHistory::settle()
{
    // Proxies destroyed later in the replay search the list of new and moved ones: keep it short.
    Physics::SettleBroadPhase(m_host->GetWorld());
}

std::string EditHistory::undo()
{
    if (!canUndo() || m_host == nullptr || m_depth > 0)
    {
        return {};
    }
    --m_done;
    return replay(m_steps[m_done], false);
}

std::string EditHistory::redo()
{
    if (!canRedo() || m_host == nullptr || m_depth > 0)
    {
        return {};
    }
    ++m_done;
    return replay(m_steps[m_done - 1], true);
}

std::string EditHistory::replay(const Step& step, bool forward)
{
    ++m_replaying;
    const auto each = [&](auto&& run) {
        if (forward)
        {
            std::for_each(step.entries.begin(), step.entries.end(), run);
        }
        else
        {
            std::for_each(step.entries.rbegin(), step.entries.rend(), run);
        }
    };
    each([&](const Entry& entry) {
        apply(entry, forward);
        settle();
    });
    // A body's mass comes from its fixtures, which may be restored after it (a redo restores the
    // body first): changed bodies get their values once more, now that their fixtures have theirs.
    each([&](const Entry& entry) {
        if (entry.op == Op::Modify && entry.kind == Kind::Body && (!forward || entry.final))
        {
            restore(entry.kind, entry, forward ? 1 : 0);
        }
    });
    settle();
    --m_replaying;
    if (m_keeper != nullptr)
    {
        m_keeper->restoreSelection(forward ? step.selectionAfter : step.selectionBefore, m_ids);
    }
    return step.label;
}

EditHistory::~EditHistory()
{
    setHost(nullptr);
}

void EditHistory::setHost(Test* host)
{
    clear();
    if (host == m_host)
    {
        return;
    }
    if (m_host != nullptr)
    {
        m_host->RemoveObserver(this);
    }
    m_host = host;
    if (m_host != nullptr)
    {
        m_host->AddObserver(this);
    }
}

void EditHistory::WorldGoing(b2World* /*world*/, b2World* replacement)
{
    // The steps name objects of the old world only. A host that goes with its world is let go.
    if (replacement == nullptr)
    {
        setHost(nullptr);
    }
    clear();
}

void EditHistory::clear()
{
    m_steps.clear();
    m_done = 0;
    m_open = Step();
    m_openEntries.clear();
    m_depth = 0;
    m_ids.clear();
}
