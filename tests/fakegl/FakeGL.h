#pragma once
// Recording stand-in for the OpenGL 1.1 entry points the scene, the textures
// and their tests use. Linked into a test binary, its gl* definitions take
// the place of libGL's: every call appends a record to one global log and
// updates a small fake state (front material, stacks, texture objects).

#include <GL/gl.h>

#include <set>
#include <string>
#include <vector>

namespace fakegl
{

// One call: its name and its readable form, e.g. "glTranslated(0,0,0)" or
// "glBegin(GL_POLYGON)" (pointed-to values expanded, numbers printed with
// 6 significant digits).
struct Call
{
    std::string name;
    std::string text;
};

// What the fake remembers between calls. Starts at OpenGL's defaults.
struct State
{
    GLfloat ambient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
    GLfloat diffuse[4] = {0.8f, 0.8f, 0.8f, 1.0f};
    GLfloat specular[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    GLfloat shininess = 0.0f;
    GLfloat emission[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    std::set<GLenum> enabled; // the capabilities glEnable and glDisable leave on
    GLuint texturesMade = 0;
    int matrixDepth = 0;
    int nameDepth = 0;
    bool insideBegin = false;
    // Misuse seen: pop of an empty stack, nested glBegin, glEnd without
    // glBegin, a call not allowed between glBegin and glEnd.
    int errors = 0;
    // Sum of the bytes of the last glTexImage2D image (every byte is read,
    // so a short buffer shows up under AddressSanitizer).
    unsigned long long imageChecksum = 0;
};

// Empties the log and puts the state back to its defaults.
void Reset();

const std::vector<Call>& Calls();
State& GetState();

// The log as one line, entries separated by single blanks.
std::string Text();
// How many calls had this name ("glEnable"), or were exactly this call
// ("glEnable(GL_BLEND)").
int Count(const std::string& nameOrCall);
// Appends a marker of the test's own (its text is `text`, its name "note"),
// so that a test node can show where it was drawn among the GL calls.
void Note(const std::string& text);

// What a texture node whose image never loaded draws.
inline const std::string kTexture = "glEnable(GL_TEXTURE_2D) "
                                    "glTexEnvf(GL_TEXTURE_ENV,GL_TEXTURE_ENV_MODE,8448) "
                                    "glBindTexture(GL_TEXTURE_2D,0)";

// Draws `node` alone on a fresh log and returns the calls it made.
template <class Node> std::string Drawn(Node& node)
{
    Reset();
    node.Render();
    return Text();
}

} // namespace fakegl
