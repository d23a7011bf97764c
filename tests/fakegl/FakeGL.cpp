#include "tests/fakegl/FakeGL.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <sstream>

namespace fakegl
{
namespace
{

std::vector<Call> g_calls;
State g_state;

const char* PrimitiveName(GLenum mode)
{
    switch (mode)
    {
    case GL_POINTS:
        return "GL_POINTS";
    case GL_LINES:
        return "GL_LINES";
    case GL_LINE_LOOP:
        return "GL_LINE_LOOP";
    case GL_LINE_STRIP:
        return "GL_LINE_STRIP";
    case GL_TRIANGLES:
        return "GL_TRIANGLES";
    case GL_QUADS:
        return "GL_QUADS";
    case GL_POLYGON:
        return "GL_POLYGON";
    default:
        return nullptr;
    }
}

// Names for the enums outside glBegin; their values do not collide.
const char* EnumName(GLenum e)
{
    switch (e)
    {
    case GL_FRONT:
        return "GL_FRONT";
    case GL_BACK:
        return "GL_BACK";
    case GL_FRONT_AND_BACK:
        return "GL_FRONT_AND_BACK";
    case GL_AMBIENT:
        return "GL_AMBIENT";
    case GL_DIFFUSE:
        return "GL_DIFFUSE";
    case GL_SPECULAR:
        return "GL_SPECULAR";
    case GL_SHININESS:
        return "GL_SHININESS";
    case GL_TEXTURE_2D:
        return "GL_TEXTURE_2D";
    case GL_LINE_SMOOTH:
        return "GL_LINE_SMOOTH";
    case GL_LIGHTING:
        return "GL_LIGHTING";
    case GL_DEPTH_TEST:
        return "GL_DEPTH_TEST";
    case GL_TEXTURE_ENV:
        return "GL_TEXTURE_ENV";
    case GL_TEXTURE_ENV_MODE:
        return "GL_TEXTURE_ENV_MODE";
    case GL_TEXTURE_WRAP_S:
        return "GL_TEXTURE_WRAP_S";
    case GL_TEXTURE_WRAP_T:
        return "GL_TEXTURE_WRAP_T";
    case GL_TEXTURE_MAG_FILTER:
        return "GL_TEXTURE_MAG_FILTER";
    case GL_TEXTURE_MIN_FILTER:
        return "GL_TEXTURE_MIN_FILTER";
    case GL_REPEAT:
        return "GL_REPEAT";
    case GL_LINEAR:
        return "GL_LINEAR";
    case GL_RGBA:
        return "GL_RGBA";
    case GL_RGB:
        return "GL_RGB";
    case 0x80E0:
        return "GL_BGR_EXT";
    case GL_UNSIGNED_BYTE:
        return "GL_UNSIGNED_BYTE";
    default:
        return nullptr;
    }
}

// An argument as printed: a GL enum by its name, anything else as a number.
struct Arg
{
    double value;
    const char* name = nullptr;
};

Arg E(GLenum e)
{
    return {static_cast<double>(e), EnumName(e)};
}

void Record(const char* name, std::initializer_list<Arg> args)
{
    Call call{name, {}, {}};
    std::ostringstream text;
    text << name << '(';
    bool first = true;
    for (const Arg& arg : args)
    {
        if (!first)
            text << ',';
        first = false;
        if (arg.name)
            text << arg.name;
        else
            text << arg.value;
        call.args.push_back(arg.value);
    }
    text << ')';
    call.text = text.str();
    g_calls.push_back(std::move(call));
}

// Only vertex attributes may be given between glBegin and glEnd.
void OutsideBeginOnly()
{
    if (g_state.insideBegin)
        ++g_state.errors;
}

GLfloat* MaterialSlot(GLenum pname)
{
    switch (pname)
    {
    case GL_AMBIENT:
        return g_state.ambient;
    case GL_DIFFUSE:
        return g_state.diffuse;
    case GL_SPECULAR:
        return g_state.specular;
    case GL_SHININESS:
        return &g_state.shininess;
    default:
        return nullptr;
    }
}

// Colours have four values, the exponent one: as many as OpenGL reads.
int MaterialSize(GLenum pname)
{
    return pname == GL_SHININESS ? 1 : 4;
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

std::vector<std::string> Log()
{
    std::vector<std::string> log;
    log.reserve(g_calls.size());
    for (const Call& call : g_calls)
        log.push_back(call.text);
    return log;
}

std::string Text()
{
    std::string text;
    for (const Call& call : g_calls)
        text += (text.empty() ? "" : " ") + call.text;
    return text;
}

int Count(const std::string& name)
{
    return static_cast<int>(std::count_if(g_calls.begin(), g_calls.end(),
                                          [&](const Call& c) { return c.name == name; }));
}

void Note(const std::string& text)
{
    g_calls.push_back({"note", {}, text});
}

} // namespace fakegl

using fakegl::E;
using fakegl::g_state;
using fakegl::Record;

extern "C"
{

    void glBegin(GLenum mode)
    {
        const char* prim = fakegl::PrimitiveName(mode);
        Record("glBegin", {{static_cast<double>(mode), prim}});
        if (g_state.insideBegin)
            ++g_state.errors;
        g_state.insideBegin = true;
    }

    void glEnd(void)
    {
        Record("glEnd", {});
        if (!g_state.insideBegin)
            ++g_state.errors;
        g_state.insideBegin = false;
    }

    void glVertex3dv(const GLdouble* v)
    {
        Record("glVertex3dv", {{v[0]}, {v[1]}, {v[2]}});
    }

    void glVertex3d(GLdouble x, GLdouble y, GLdouble z)
    {
        Record("glVertex3d", {{x}, {y}, {z}});
    }

    void glNormal3dv(const GLdouble* v)
    {
        Record("glNormal3dv", {{v[0]}, {v[1]}, {v[2]}});
    }

    void glTexCoord2dv(const GLdouble* v)
    {
        Record("glTexCoord2dv", {{v[0]}, {v[1]}});
    }

    void glPushMatrix(void)
    {
        Record("glPushMatrix", {});
        fakegl::OutsideBeginOnly();
        ++g_state.matrixDepth;
    }

    void glPopMatrix(void)
    {
        Record("glPopMatrix", {});
        fakegl::OutsideBeginOnly();
        if (g_state.matrixDepth == 0)
            ++g_state.errors;
        else
            --g_state.matrixDepth;
    }

    void glTranslated(GLdouble x, GLdouble y, GLdouble z)
    {
        Record("glTranslated", {{x}, {y}, {z}});
        fakegl::OutsideBeginOnly();
    }

    void glRotated(GLdouble angle, GLdouble x, GLdouble y, GLdouble z)
    {
        Record("glRotated", {{angle}, {x}, {y}, {z}});
        fakegl::OutsideBeginOnly();
    }

    void glPushName(GLuint name)
    {
        Record("glPushName", {{static_cast<double>(name)}});
        fakegl::OutsideBeginOnly();
        ++g_state.nameDepth;
    }

    void glPopName(void)
    {
        Record("glPopName", {});
        fakegl::OutsideBeginOnly();
        if (g_state.nameDepth == 0)
            ++g_state.errors;
        else
            --g_state.nameDepth;
    }

    void glEnable(GLenum cap)
    {
        Record("glEnable", {E(cap)});
        fakegl::OutsideBeginOnly();
        g_state.enabled.insert(cap);
    }

    void glDisable(GLenum cap)
    {
        Record("glDisable", {E(cap)});
        fakegl::OutsideBeginOnly();
        g_state.enabled.erase(cap);
    }

    void glTexEnvf(GLenum target, GLenum pname, GLfloat param)
    {
        Record("glTexEnvf", {E(target), E(pname), {param}});
        fakegl::OutsideBeginOnly();
    }

    void glBindTexture(GLenum target, GLuint texture)
    {
        Record("glBindTexture", {E(target), {static_cast<double>(texture)}});
        fakegl::OutsideBeginOnly();
        g_state.boundTexture = texture;
    }

    void glGetMaterialfv(GLenum face, GLenum pname, GLfloat* params)
    {
        Record("glGetMaterialfv", {E(face), E(pname)});
        fakegl::OutsideBeginOnly();
        const GLfloat* slot = fakegl::MaterialSlot(pname);
        if (!slot)
            return;
        std::copy(slot, slot + fakegl::MaterialSize(pname), params);
    }

    void glMaterialfv(GLenum face, GLenum pname, const GLfloat* params)
    {
        GLfloat* slot = fakegl::MaterialSlot(pname);
        const int n = slot ? fakegl::MaterialSize(pname) : 0;
        if (n == 1)
            Record("glMaterialfv", {E(face), E(pname), {params[0]}});
        else if (n == 4)
            Record("glMaterialfv",
                   {E(face), E(pname), {params[0]}, {params[1]}, {params[2]}, {params[3]}});
        else
            Record("glMaterialfv", {E(face), E(pname)});
        if (slot)
            std::copy(params, params + n, slot);
    }

    void glLineWidth(GLfloat width)
    {
        Record("glLineWidth", {{width}});
        fakegl::OutsideBeginOnly();
        g_state.lineWidth = width;
    }

    void glGenTextures(GLsizei n, GLuint* textures)
    {
        Record("glGenTextures", {{static_cast<double>(n)}});
        fakegl::OutsideBeginOnly();
        for (GLsizei i = 0; i < n; ++i)
            textures[i] = ++g_state.texturesMade;
    }

    void glTexParameteri(GLenum target, GLenum pname, GLint param)
    {
        Record("glTexParameteri", {E(target), E(pname), E(static_cast<GLenum>(param))});
        fakegl::OutsideBeginOnly();
    }

    void glTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width,
                      GLsizei height, GLint border, GLenum format, GLenum type,
                      const GLvoid* pixels)
    {
        Record("glTexImage2D", {E(target),
                                {static_cast<double>(level)},
                                E(static_cast<GLenum>(internalFormat)),
                                {static_cast<double>(width)},
                                {static_cast<double>(height)},
                                {static_cast<double>(border)},
                                E(format),
                                E(type)});
        fakegl::OutsideBeginOnly();
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
