// Editor mode of the window: entering and leaving it, the window callbacks while it lasts, the
// editor's view of the shell's view transform, and saving and loading the edited scene by the file
// name typed into the editor panel.
#pragma once

class Editor;

// The one editor; null outside editor mode.
extern Editor* g_editor;

// Ctrl+E in simulation mode: the current scene's world stops stepping and is edited in place.
void EnterEditor();
// Ctrl+E in editor mode, or "Exit editor": the simulation resumes from the edited world.
void ExitEditor();
// Deletes the editor without drawing or touching the window, which may be gone already: for
// shutting the program down while the editor is open.
void DiscardEditor();

// Hands the shell's view rectangle and drawing-area size to the editor.
void UpdateEditorDisplayArea();

// Editor-mode window callbacks.
void Editor_DisplayFunc();
void Editor_Resize(int w, int h);
void Editor_Keyboard(unsigned char key, int x, int y);
void Editor_KeyboardUp(unsigned char key, int x, int y);
void Editor_KeyboardSpecial(int key, int x, int y);
void Editor_Mouse(int button, int state, int x, int y);
void Editor_MouseMotion(int x, int y);

// Ctrl+S and Ctrl+L in editor mode: the file is the one named in the editor panel. The outcome is
// an editor message; a failed load keeps the current scene, a failed save the previous file.
void SaveEditorScene();
void LoadEditorScene();
