#include "GlWindowEnvironment.h"

#include "Support/GraphicsDriverPin.h"

#include <GL/freeglut.h>

void GlWindowEnvironment::SetUp()
{
    int argc = 1;
    char name[] = "scene-tests";
    char* argv[] = {name, nullptr};
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE);
    glutInitWindowSize(640, 480);
    m_window = glutCreateWindow("scene tests");
    PinGraphicsDriver();
}

void GlWindowEnvironment::TearDown()
{
    if (m_window != 0)
    {
        glutDestroyWindow(m_window);
        m_window = 0;
    }
    glutExit();
}

namespace
{

const ::testing::Environment* const g_glWindow = ::testing::AddGlobalTestEnvironment(new GlWindowEnvironment);

}  // namespace
