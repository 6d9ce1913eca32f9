// The scene editor: everything it knows besides the world itself. The view rectangle and the
// mouse, held keys, the edit method (what the mouse picks), the control state (the operation in
// progress with its candidate, disambiguation and selection sets), the values the panel shows
// and takes, the clipboard text and the on-screen messages.
//
// The world belongs to the scene host (`Test`); the editor only points into it. It listens to the
// host, which announces every object before it is destroyed and the world before it goes, and
// drops every pointer it holds to that object at once. Names live with the host too, so they
// stay with the world when the editor is left and entered again.
//
// The model (state, input, picking, panel values, messages) makes no OpenGL calls and works
// without a display; drawing lives in files of its own (EditorDraw*.cpp) and runs only between
// beginDrawing and endDrawing, which the front end calls around the editor's visit.
#pragma once

#include "Editor/EditorPickIndex.h"
#include "Editor/EditorTypes.h"
#include "Editor/OperationProposal.h"
#include "Editor/WorldEdits.h"
#include "Framework/WorldObserver.h"

#include <box2d/box2d.h>

#include <map>
#include <string>
#include <vector>

class Test;
class WorldDoc;
struct ObjectNames;
struct TextRow;

// Pages of the help overlay run from 0 to maxHelpPage.
extern int maxHelpPage;
// Scale of the trace image in world units per image side.
extern float imageScale;
extern const b2Transform g_identityTransform;

// "zero", "all bits set", or the values of the set bits in ascending order joined by ",".
std::string humanReadableBitMask(unsigned short bits);

// The point of segment a-b nearest to p; `t` (when not null) gets its position along the
// segment from 0 to 1.
b2Vec2 closestPointOnLineToPoint(const b2Vec2& a, const b2Vec2& b, const b2Vec2& p, float* t);

class Editor : public WorldObserver, public SelectionKeeper
{
public:
    // Edits the world of `host` (which may be null: nothing to edit) and listens to it.
    explicit Editor(Test* host);
    ~Editor() override;
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    // Edits another host's world: every selection and candidate set is emptied and the state
    // returns to idle; edit method, clipboard, messages and panel values stay.
    void setTest(Test* host);
    Test* getTest() const { return m_test; }
    b2World* getWorld() const { return m_world; }
    void clearControlState();
    _editMethod getEditMethod() const { return m_editMethod; }
    void setDebugDrawFlags(int flags) { m_debugDrawFlags = flags; }
    b2Vec2 getPositionForTextAtMouse() const;

    // View geometry: the world rectangle shown and its size in pixels. Sizes that must look the
    // same at every zoom are given in pixels and converted with the horizontal extent.
    void setDisplayArea(b2Vec2 lowerLeft, b2Vec2 upperRight, int width, int height);
    float pixelToWorld(float pixels) const;
    float worldToPixel(float world) const;

    // Input. Modifier bits of setSpecialKeyState: 1 Shift, 2 Alt, 4 Ctrl.
    static constexpr int k_shiftKey = 1;
    static constexpr int k_altKey = 2;
    static constexpr int k_ctrlKey = 4;
    void setSpecialKeyState(bool shift, bool alt, bool ctrl);
    void handleKeyDown(unsigned char key);
    void handleKeyUp(unsigned char key);
    void handleMouseMove(b2Vec2 pixel, b2Vec2 world);
    void handleMouseButtonDown(int button);
    void setEditMethod(_editMethod method);
    void abandonControlState();

    // Picking and selection.
    void updateSelectionCandidate();
    void select(int button);
    bool haveSelection() const;
    void selectAll();
    bool isMouseOverFixture(b2Fixture* fixture, float radius, float& distance) const;
    bool isMouseOverVertex(b2Fixture* fixture, float radius, float& distance, int& index) const;
    b2Vec2 getWorldPosition(const vertexInfo& v, b2Transform extra) const;
    b2Vec2 getFixtureCenter(b2Fixture* fixture, b2Transform extra) const;
    bool getVertexSplitPoint(b2Fixture* fixture, float maxDistance, float& distance, _vertexSplitInfo& info) const;
    // Centre of the current edit method's selection; (0, 0) when it is empty.
    b2Vec2 getSelectionCenter() const;
    // Picking keeps an index of the world between mouse moves. Changes made through edits() and
    // destructions announced by the host are noticed; code that changes the world otherwise
    // while the editor is open (moves objects, changes shapes, enables or disables bodies) calls
    // this afterwards.
    void worldChanged();

    // Operations: the amounts of the open translate, rotate or scale (Shift fine, Ctrl in steps),
    // their centres, what they would do, and applying it.
    b2Vec2 getRotationCenter() const;
    b2Vec2 getScaleCenter() const;
    b2Vec2 getTranslatedDelta() const;
    float getRotatedAngle() const;
    b2Vec2 getScaledFactor() const;
    OperationProposal proposeOperation() const;
    // Applies the open operation; false while it stays open (a joint limit being set).
    bool accept();
    // Rebuilds the tentative vertex outlines of the open operation.
    void checkNewVertexPositions();
    // Sets the selected joint's lower or upper limit from the open translate or rotate.
    void setJointLimit();
    // Ends the step a paste opened, once its objects are dropped or left where they are.
    void closePasteStep();
    // The joint whose limits the mouse can set: in body mode with exactly one body and one
    // joint selected, that joint when the body is one of its two; else null.
    b2Joint* getLimitJoint() const;
    const WorldEdits& edits() const { return m_edits; }

    // Clipboard (EditorClipboard.cpp): copy keeps the selected bodies or fixtures as scene
    // text; paste builds them again, selected and following the mouse until a click drops them.
    void copy();
    void paste();
    // Duplicates the selected bodies as their mirror image about the cursor's vertical line,
    // with the revolute joints between them (Mirror.cpp).
    void mirror();

    // Undo and redo of whole user actions, with a message naming the step; an open operation is
    // abandoned first.
    void undo();
    void redo();
    SelectionIds captureSelection(ObjectIds& ids) override;
    void restoreSelection(const SelectionIds& selection, ObjectIds& ids) override;

    // Reference cleanup: every pointer to the object leaves every set of the editor.
    void clearReferencesTo(b2Joint* joint);
    void clearReferencesTo(b2Fixture* fixture);
    void clearReferencesTo(b2Body* body);
    void replaceReferencesTo(b2Fixture* oldFixture, b2Fixture* newFixture);

    // Deletion, vertex insertion, joints and the panel's buttons. Each is one undoable step; a
    // refused one says why in a message and leaves the world as it was.
    // Deletes the current edit method's selection.
    void doDelete();
    // Deletes vertices of one fixture, given in ascending index order.
    void deleteVertices(std::vector<vertexInfo>& group);
    // Inserts a vertex where the split point of the selection candidate lies.
    void executeSplitVertex();
    // A joint of the panel's type between the two selected bodies, at the cursor.
    void createJoint();
    // The panel's joint values written into every selected joint.
    void applyJointSettings();
    // Density, friction, restitution, filter and sensor flag of `fixture` into `def`.
    void duplicateFixtureProperties(b2Fixture* fixture, b2FixtureDef& def) const;
    // The panel's buttons 1 to 7, with the values in panelInput().
    void handleUIButton(int id);

    // Panel.
    void updateUIPanelInfo();
    _panelInfo& panelInfo() { return m_panelInfo; }
    _panelInput& panelInput() { return m_panelInput; }

    // Names, kept by the host with its world.
    std::string getNameOfBody(b2Body* body) const;
    std::string getNameOfFixture(b2Fixture* fixture) const;
    std::string getNameOfJoint(b2Joint* joint) const;
    b2Body* getBodyByName(const std::string& name) const;
    b2Fixture* getFixtureByName(const std::string& name) const;
    b2Joint* getJointByName(const std::string& name) const;
    void getNamesFromJson(WorldDoc* doc);
    void setNamesInJson(WorldDoc* doc) const;

    // Messages: shown for about 600 rendered frames and printed on standard output.
    void addMessage(const std::string& text, b2Color colour);
    const std::vector<_message>& messages() const { return m_messages; }

    // Read-only views for the front end, the renderer and tests.
    const _controlState& controlState() const { return m_controlState; }
    int helpPage() const { return m_helpPage; }
    int infoMode() const { return m_infoMode; }
    bool showsWorldInfo() const { return m_showWorldInfo; }
    b2Body* lastSelectedBody() const { return m_lastSelectedBody; }
    b2Vec2 mouseWorld() const { return m_mouseWorld; }

    // Drawing (OpenGL; needs a current context). beginDrawing saves the OpenGL attribute state
    // and sets the editor's own; endDrawing restores it and frees the editor's textures.
    void beginDrawing();
    void endDrawing();
    void render();

    // WorldObserver: the host announces objects and worlds before they go.
    void BodyGoing(b2Body* body) override;
    void FixtureGoing(b2Fixture* fixture) override;
    void JointGoing(b2Joint* joint) override;
    void WorldGoing(b2World* world, b2World* replacement) override;

private:
    const ObjectNames* names() const;
    ObjectNames* names();

    // Drops every vertex reference into `fixture`, whose vertex indices no longer hold
    // (EditorDelete.cpp).
    void forgetVertices(b2Fixture* fixture);
    // The panel's buttons (EditorPanelActions.cpp).
    void applyBodySettings();
    void applyFixtureSettings();
    void createBody();
    void createFixture();
    void setNameOfSelection();

    // Modifiers held at the last event.
    bool shiftHeld() const { return (m_specialKeys & k_shiftKey) != 0; }
    bool ctrlHeld() const { return (m_specialKeys & k_ctrlKey) != 0; }

    // Candidates of each edit method under the mouse (EditorPicking.cpp).
    void updateBodyCandidates();
    void updateFixtureCandidates();
    void updateVertexCandidates();
    void updateJointCandidates();

    // The keys that open and steer operations (EditorInput.cpp) and the angle reset of `o`.
    void startOperation();
    void translateKey();
    void rotateKey();
    void scaleKey();
    void axisKey(int axis);
    void limitKey();
    void resetAngles();

    // Drawing primitives and overlays (EditorDraw*.cpp).
    void drawLine(b2Vec2 a, b2Vec2 b, b2Color colour, bool stippled, bool dotAtA, float lineWidth);
    void drawFadingCircle(b2Vec2 centre, float radius, b2Color colour);
    void drawSelectionCenter();
    void drawCursor();
    void drawOriginAxes(float length, b2Transform* xf, float lineWidth);
    void drawShape(b2Fixture* fixture, const b2Transform& xf, const b2Color& colour);
    void drawShape(b2Fixture* fixture, const b2Mat33& m, const b2Color& colour, float radiusScale);
    // A shape given by its points (in body coordinates) placed by m.
    void drawShape(const Physics::ShapeGeometry& geometry, const b2Mat33& m, const b2Color& colour);
    void drawShapeVertices(b2Fixture* fixture, const b2Transform& xf);
    void drawWorldDebugData();
    void drawConnectingLine(b2Body* body, b2Fixture* fixture, b2Transform& xf, b2Color colour);
    void drawConnectingLine(b2Body* body, const Physics::ShapeGeometry& geometry, const b2Transform& xf,
                            b2Color colour);
    void drawReferenceGrid();
    void drawBodyNub(b2Body* body, const b2Mat33& m, b2Color colour, bool drawShapes, bool drawConnecting,
                     bool drawDetails);
    // The body drawn as if it were placed at xf.
    void drawBodyNub(b2Body* body, const b2Transform& xf, b2Color colour, bool drawShapes, bool drawConnecting,
                     bool drawDetails);
    void drawFixtureNub(b2Fixture* fixture, const b2Mat33& m, float radiusScale, b2Color colour, bool bodyNub,
                        bool bodyNubConnecting, bool connectingLine);
    // The fixture drawn with another shape (in its body's coordinates).
    void drawFixtureNub(b2Fixture* fixture, const Physics::ShapeGeometry& geometry, b2Color colour, bool bodyNub,
                        bool connectingLine);
    void drawVertexNub(const vertexInfo& v, const b2Mat33& m, b2Color colour, float pointSize);
    void drawJointNub(b2Joint* joint, const b2Mat33& m, b2Color colour, bool showBodies, bool showIcons,
                      bool showLimits);
    // The joint drawn with the given world anchors; a wheel joint's axis runs from a to b when
    // `axisFromAnchors` is set, as moving its anchors makes it.
    void drawJointNub(b2Joint* joint, b2Vec2 a, b2Vec2 b, bool axisFromAnchors, b2Color colour, bool showBodies,
                      bool showIcons, bool showLimits);
    void drawJointIcon(b2JointType type, b2Vec2 p, b2Color colour, float size, int variant);
    void drawSelectUI();
    // The guides of the open operation (EditorDrawOperations.cpp): the selection where accepting
    // would put it, axis and centre guides, the amount at the mouse.
    void drawTranslateUI();
    void drawRotateUI();
    void drawScaleUI();
    void drawMeasureUI();
    void drawProposal(const OperationProposal& proposal, bool fixtureNubs);
    void drawTentativeVertexOutlines();

    // Text overlays (EditorDrawText.cpp).
    void drawString(int x, int y, b2Color colour, const char* format, ...) __attribute__((format(printf, 5, 6)));
    void showHelp();
    void showControlState();
    void showMessages();
    void showInfo();
    void showMousePosition();
    void showDebugData();
    // Rows composed in EditorText.cpp, from the current text line down; blank rows only advance.
    void drawTextRows(int x, const std::vector<TextRow>& rows);

    Test* m_test = nullptr;
    b2World* m_world = nullptr;
    b2Vec2 m_displayLowerLeft = b2Vec2_zero;
    b2Vec2 m_displayUpperRight = b2Vec2(1.0f, 1.0f);
    int m_displayWidth = 1;
    int m_displayHeight = 1;
    int m_debugDrawFlags = 0;
    b2Vec2 m_mousePixel = b2Vec2_zero;
    b2Vec2 m_mouseWorld = b2Vec2_zero;
    bool m_keys[256] = {};
    int m_specialKeys = 0;
    _editMethod m_editMethod = EM_BODIES;
    _controlState m_controlState;
    float m_textAlpha = 1.0f;
    int m_textLine = 15;
    int m_helpPage = 0;
    int m_infoMode = 2;
    bool m_showWorldInfo = false;
    _panelInfo m_panelInfo;
    _panelInput m_panelInput;
    std::string m_clipboard;
    // Only ever compared, never dereferenced; cleared when its body goes all the same.
    b2Body* m_lastSelectedBody = nullptr;
    std::vector<_message> m_messages;
    unsigned int m_traceTexture = 0;
    // A paste and the drop that places it are one step: open from the paste until the drop.
    bool m_pasteStepOpen = false;
    // A missing trace image is reported once per editor, however often drawing begins.
    bool m_traceMissingReported = false;
    // Every change of the world goes through here.
    WorldEdits m_edits;
    bool m_drawing = false;
    PickIndex m_pickIndex;
};
