#include "tests/fakegl/FakeGL.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <sstream>
#include <utility>

namespace fakegl
{
namespace
{

std::vector<Call> g_calls;
State g_state;

struct Named
{
    GLenum value;
    const char* name;
};
#define NAMED_ENUM(e) (Named{e, #e})
// glBegin's modes have a table of their own: their values collide with
// other enums (GL_POINTS is 0).
const Named kModes[] = {NAMED_ENUM(GL_POINTS),    NAMED_ENUM(GL_LINES),
                        NAMED_ENUM(GL_LINE_LOOP), NAMED_ENUM(GL_LINE_STRIP),
                        NAMED_ENUM(GL_TRIANGLES), NAMED_ENUM(GL_QUADS),
                        NAMED_ENUM(GL_POLYGON)};
const Named kStateEnums[] = {
    NAMED_ENUM(GL_FRONT),     NAMED_ENUM(GL_BACK),       NAMED_ENUM(GL_FRONT_AND_BACK),
    NAMED_ENUM(GL_AMBIENT),   NAMED_ENUM(GL_DIFFUSE),    NAMED_ENUM(GL_SPECULAR),
    NAMED_ENUM(GL_SHININESS), NAMED_ENUM(GL_TEXTURE_2D), NAMED_ENUM(GL_LINE_SMOOTH),
    NAMED_ENUM(GL_LIGHTING),  NAMED_ENUM(GL_DEPTH_TEST), NAMED_ENUM(GL_EMISSION),
    NAMED_ENUM(GL_BLEND),     NAMED_ENUM(GL_SRC_ALPHA),  NAMED_ENUM(GL_ONE_MINUS_SRC_ALPHA)};
const Named kTextureEnums[] = {
    NAMED_ENUM(GL_TEXTURE_ENV),        NAMED_ENUM(GL_TEXTURE_ENV_MODE),
    NAMED_ENUM(GL_TEXTURE_WRAP_S),     NAMED_ENUM(GL_TEXTURE_WRAP_T),
    NAMED_ENUM(GL_TEXTURE_MAG_FILTER), NAMED_ENUM(GL_TEXTURE_MIN_FILTER)};
const Named kTextureValues[] = {NAMED_ENUM(GL_REPEAT),  NAMED_ENUM(GL_LINEAR),
                                NAMED_ENUM(GL_RGBA),    NAMED_ENUM(GL_RGB),
                                NAMED_ENUM(GL_BGR_EXT), NAMED_ENUM(GL_UNSIGNED_BYTE)};
#undef NAMED_ENUM

// An argument as printed: a GL enum by its name, anything else as a number.
struct Arg
{
    double value;
    const char* name = nullptr;
};

Arg E(GLenum e, std::initializer_list<std::span<const Named>> tables = {kStateEnums, kTextureEnums,
                                                                        kTextureValues})
{
    for (const std::span<const Named> table : tables)
        for (const Named& n : table)
            if (n.value == e)
                return {static_cast<double>(e), n.name};
    return {static_cast<double>(e)};
}

// Logs a call. Only vertex attributes and materials may be given between
// glBegin and glEnd; every other call passes `outsideBeginOnly`.
void Record(const char* name, const std::vector<Arg>& args, bool outsideBeginOnly = false)
{
    std::ostringstream text;
    text << name << '(';
    for (const Arg& arg : args)
    {
        if (&arg != &args.front())
            text << ',';
        if (arg.name)
            text << arg.name;
        else
            text << arg.value;
    }
    text << ')';
    g_calls.push_back({name, text.str()});
    if (outsideBeginOnly && g_state.insideBegin)
        ++g_state.errors;
}

// The material values a parameter name stands for: four for a colour,
// one for the exponent, as many as OpenGL reads.
std::span<GLfloat> Material(GLenum pname)
{
    const std::pair<GLenum, std::span<GLfloat>> slots[] = {{GL_AMBIENT, g_state.ambient},
                                                           {GL_DIFFUSE, g_state.diffuse},
                                                           {GL_SPECULAR, g_state.specular},
                                                           {GL_EMISSION, g_state.emission},
                                                           {GL_SHININESS, {&g_state.shininess, 1}}};
    for (const auto& [name, slot] : slots)
        if (name == pname)
            return slot;
    return {};
}

// Counts a push, or a pop that an empty stack turns into an error.
void Stack(int& depth, int change)
{
    if (depth + change < 0)
        ++g_state.errors;
    else
        depth += change;
}

} // namespace

void Reset()
{
    g_calls.clear();
    g_state = State{};
}

const std::vector<Call>& Calls()
{
    return g_calls;
}

State& GetState()
{
    return g_state;
}

std::string Text()
{
    std::string text;
    for (const Call& call : g_calls)
        text += (text.empty() ? "" : " ") + call.text;
    return text;
}

int Count(const std::string& nameOrCall)
{
    return static_cast<int>(
        std::count_if(g_calls.begin(), g_calls.end(), [&](const Call& c)
                      { return c.name == nameOrCall || c.text == nameOrCall; }));
}

void Note(const std::string& text)
{
    g_calls.push_back({"note", text});
}

} // namespace fakegl

using fakegl::E;
using fakegl::g_state;
using fakegl::Record;

extern "C"
{

    void glBegin(GLenum mode)
    {
        Record("glBegin", {E(mode, {fakegl::kModes})}, true);
        g_state.insideBegin = true;
    }

    void glEnd(void)
    {
        if (!g_state.insideBegin)
            ++g_state.errors;
        g_state.insideBegin = false;
        Record("glEnd", {});
    }

// Entry points that only record their arguments. The second column tells
// whether the call is refused between glBegin and glEnd.
#define FAKE_GL(name, outsideBeginOnly, params, ...)                                               \
    void name params                                                                               \
    {                                                                                              \
        Record(#name, {__VA_ARGS__}, outsideBeginOnly);                                            \
    }
    FAKE_GL(glVertex3dv, false, (const GLdouble* v), {v[0]}, {v[1]}, {v[2]})
    FAKE_GL(glVertex3d, false, (GLdouble x, GLdouble y, GLdouble z), {x}, {y}, {z})
    FAKE_GL(glNormal3dv, false, (const GLdouble* v), {v[0]}, {v[1]}, {v[2]})
    FAKE_GL(glTexCoord2dv, false, (const GLdouble* v), {v[0]}, {v[1]})
    FAKE_GL(glTranslated, true, (GLdouble x, GLdouble y, GLdouble z), {x}, {y}, {z})
    FAKE_GL(glRotated, true, (GLdouble a, GLdouble x, GLdouble y, GLdouble z), {a}, {x}, {y}, {z})
    FAKE_GL(glNormal3d, false, (GLdouble x, GLdouble y, GLdouble z), {x}, {y}, {z})
    FAKE_GL(glBlendFunc, true, (GLenum source, GLenum destination), E(source), E(destination))
    FAKE_GL(glLineWidth, true, (GLfloat width), {width})
    FAKE_GL(glTexEnvf, true, (GLenum target, GLenum pname, GLfloat param), E(target), E(pname),
            {param})
    FAKE_GL(glBindTexture, true, (GLenum target, GLuint texture), E(target), {double(texture)})
    FAKE_GL(glTexParameteri, true, (GLenum target, GLenum pname, GLint param), E(target), E(pname),
            E(GLenum(param)))
#undef FAKE_GL

// The matrix and name stacks: each push or pop records itself and counts.
#define FAKE_STACK(name, depth, change, params, ...)                                               \
    void name params                                                                               \
    {                                                                                              \
        Record(#name, {__VA_ARGS__}, true);                                                        \
        fakegl::Stack(g_state.depth, change);                                                      \
    }
    FAKE_STACK(glPushMatrix, matrixDepth, +1, (void))
    FAKE_STACK(glPopMatrix, matrixDepth, -1, (void))
    FAKE_STACK(glPushName, nameDepth, +1, (GLuint name), {double(name)})
    FAKE_STACK(glPopName, nameDepth, -1, (void))
#undef FAKE_STACK

    void glEnable(GLenum cap)
    {
        Record("glEnable", {E(cap)}, true);
        g_state.enabled.insert(cap);
    }

    void glDisable(GLenum cap)
    {
        Record("glDisable", {E(cap)}, true);
        g_state.enabled.erase(cap);
    }

    GLboolean glIsEnabled(GLenum cap)
    {
        Record("glIsEnabled", {E(cap)}, true);
        return g_state.enabled.contains(cap) ? GL_TRUE : GL_FALSE;
    }

    void glGetMaterialfv(GLenum face, GLenum pname, GLfloat* params)
    {
        Record("glGetMaterialfv", {E(face), E(pname)}, true);
        const std::span<GLfloat> slot = fakegl::Material(pname);
        std::copy(slot.begin(), slot.end(), params);
    }

    void glMaterialfv(GLenum face, GLenum pname, const GLfloat* params)
    {
        const std::span<GLfloat> slot = fakegl::Material(pname);
        std::vector<fakegl::Arg> args{E(face), E(pname)};
        for (std::size_t i = 0; i < slot.size(); ++i)
            args.push_back({slot[i] = params[i]});
        Record("glMaterialfv", args);
    }

    void glGenTextures(GLsizei n, GLuint* textures)
    {
        Record("glGenTextures", {{static_cast<double>(n)}}, true);
        for (GLsizei i = 0; i < n; ++i)
            textures[i] = ++g_state.texturesMade;
    }

    void glTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width,
                      GLsizei height, GLint border, GLenum format, GLenum type,
                      const GLvoid* pixels)
    {
        const std::vector<fakegl::Arg> args{
            E(target),       {double(level)},  E(GLenum(internalFormat)),
            {double(width)}, {double(height)}, {double(border)},
            E(format),       E(type)};
        Record("glTexImage2D", args, true);
        // Read the whole image as OpenGL would with the default 4-byte unpack
        // alignment, three bytes per pixel.
        g_state.imageChecksum = 0;
        if (!pixels || width <= 0 || height <= 0 || type != GL_UNSIGNED_BYTE)
            return;
        const long long stride = (3LL * width + 3) / 4 * 4;
        const auto* bytes = static_cast<const std::uint8_t*>(pixels);
        for (long long row = 0; row < height; ++row)
            for (long long i = 0; i < 3LL * width; ++i)
                g_state.imageChecksum += bytes[row * stride + i];
    }

} // extern "C"
