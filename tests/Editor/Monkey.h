// A monkey for editor mode: seeded random user input through the real window callbacks and the
// editor panel's actions, on the scenes of the registry, with the editor's hold on the world
// checked after every event. The same seed replays the same events.
#pragma once

#include <cstdint>
#include <string>

// Over the runs that share it: events sent, and those after which the editor had changed the world.
struct MonkeyTally
{
    long long eventsSent = 0;
    long long worldChanges = 0;
};

// Starts registry row `row` afresh (default view and settings, editor mode) and sends `events`
// random events; scene files are saved to and loaded from `directory`, which must exist. Returns
// the first fault found, with the events that led to it and how to replay them; empty when there
// was none.
std::string RunMonkey(std::uint64_t seed, const std::string& directory, int row, int events, MonkeyTally& tally);

// Starts row `row` as RunMonkey does and sends `events` random edits that stay in this editor
// visit (no loads, no scene switches, no leaving the editor). Then undoes every step, which must
// give back the world of the start, and redoes every step, which must give back the world of the
// end. Returns the first fault, as RunMonkey does.
std::string RunMonkeyUndoRound(std::uint64_t seed, const std::string& directory, int row, int events,
                               MonkeyTally& tally);
