// A monkey for editor mode: seeded random user input through the real window callbacks and the
// editor panel's actions, on the scenes of the registry, with the editor's hold on the world
// checked after every event. The same seed replays the same events.
#pragma once

#include <box2d/box2d.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <random>
#include <string>

class Monkey
{
public:
    // Scene files are saved to and loaded from `directory`, which must exist.
    Monkey(std::uint64_t seed, const std::string& directory);

    // Starts registry row `row` afresh (default view and settings, editor mode) and sends
    // `events` random events. Returns the first fault found, with the events that led to it and
    // how to replay them; empty when there was none.
    std::string runScene(int row, int events);
    // Starts row `row` as runScene does and sends `events` random edits that stay in this editor
    // visit (no loads, no scene switches, no leaving the editor). Then undoes every step, which
    // must give back the world of the start, and redoes every step, which must give back the
    // world of the end. Returns the first fault, as runScene does.
    std::string runUndoRound(int row, int events);
    // Over all runs: events sent, and those after which the editor had changed the world.
    long long eventsSent() const { return m_eventsSent; }
    long long worldChanges() const { return m_worldChanges; }

private:
    struct Choice
    {
        int weight;
        void (Monkey::*event)();
    };
    // Runs one event of the list, picked by weight.
    template <std::size_t N>
    void choose(const Choice (&choices)[N]);
    // Resets the shell and starts row `row` in the editor; `kind` names the run in the replay line.
    void start(int row, int events, const char* kind);
    // Sends events until `events` have gone or a check fails; returns the fault or empty.
    std::string sendEvents(int events);
    void editorEvent();
    void editingEvent();
    void simulationEvent();

    // Events. Those of several steps (an operation, a drag) plan the later steps, which run as
    // the following events.
    void moveMouse();
    void leftClick();
    void rightClick();
    void rightDrag();
    void editorKey();
    void operation();
    void deleteTwice();
    void specialKey();
    void tabClick();
    void panelAction();
    void undoOrRedo();
    void clipboard();
    void saveScene();
    void loadScene();
    void switchScene();
    void grab();
    void simulationKey();
    void snapshot();
    void someFrames();
    void enterOrLeaveEditor();

    // Input in the mode that is on, with the modifiers given.
    void click(int button);
    void key(unsigned char key, int modifiers);
    void mouseButton(int button, int state, int x, int y, int modifiers);
    void motion(int x, int y, int modifiers);
    void frame();

    // A window pixel near an object of the world, or anywhere in or just outside the window;
    // `inScene` keeps it off the side panel.
    void pickPixel(int& x, int& y, bool inScene);
    void worldToPixel(const b2Vec2& p, int& x, int& y) const;
    // What breaks the invariants, the loaded form of a save included; empty when nothing.
    std::string check() const;
    // A save that did not come back whole, or empty.
    std::string checkSave(const char* file) const;
    void log(const char* format, ...) __attribute__((format(printf, 2, 3)));

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }
    bool chance(double p) { return std::bernoulli_distribution(p)(m_random); }

    std::uint64_t m_seed;
    std::string m_directory;
    std::mt19937_64 m_random;
    int m_event = 0;
    std::deque<std::function<void()>> m_plan;
    std::string m_saveFault;
    // Events keep to the editor visit they start in (undo rounds).
    bool m_editingOnly = false;
    long long m_eventsSent = 0;
    long long m_worldChanges = 0;
};
