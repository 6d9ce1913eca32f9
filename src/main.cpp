#include "Editor/EditorFrontEnd.h"
#include "Framework/Shell.h"
#include "Tests/TestEntries.h"

#include <GL/freeglut.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0')
    {
        std::fprintf(stderr,
                     "vexa needs a graphical display, and DISPLAY is not set.\n"
                     "Run it from a desktop session, or on a virtual display: xvfb-run -a ./vexa\n");
        return 1;
    }
    StartShell(&argc, argv, g_testEntries);
    SetEditorToggle(EnterEditor);
    glutMainLoop();
    DiscardEditor();
    ShutdownShell();
    return 0;
}
