#include "app/startup.h"

#include <GL/glu.h>
#include <GL/glut.h>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <langinfo.h>
#endif

#include <clocale>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>
#include <string>

#include "app/projector.h"
#include "app/scene_state.h"
#include "model/lights.h"
#include "render/axis_marker.h"
#include "render/crank_train.h"
#include "render/engine_block.h"
#include "render/gas_volume.h"
#include "render/valve.h"

namespace {

// Each line carries its own leading spaces: 25, 28, 27, 34, 39, 25.
const char* const kBannerLatin1[] = {
    "                         *********************************",
    "                            Projet: Tarvex \xE0 explosion",
    "                           Auteurs: l'equipe Tarvex",
    "                                  Cours: mecanique",
    "                                       Classe: tous",
    "                         *********************************",
};
const char* const kBannerUtf8[] = {
    kBannerLatin1[0],
    "                            Projet: Tarvex \xC3\xA0 explosion",
    kBannerLatin1[2],
    kBannerLatin1[3],
    kBannerLatin1[4],
    kBannerLatin1[5],
};

}  // namespace

const char* const* bannerLines(bool utf8)
{
    return utf8 ? kBannerUtf8 : kBannerLatin1;
}

bool consoleIsUtf8()
{
#ifdef _WIN32
    return false;   // a Windows console is written in UTF-16 (printBanner); files get Latin-1
#else
    // The user's locale is looked at only here; the program itself keeps the "C" locale.
    const char* previous = std::setlocale(LC_CTYPE, nullptr);
    std::string saved = previous ? previous : "C";
    bool utf8 = false;
    if (std::setlocale(LC_CTYPE, "") != nullptr) {
        const char* codeset = nl_langinfo(CODESET);
        utf8 = codeset != nullptr && (std::strcmp(codeset, "UTF-8") == 0 || std::strcmp(codeset, "utf8") == 0);
    }
    std::setlocale(LC_CTYPE, saved.c_str());
    return utf8;
#endif
}

#ifdef _WIN32
namespace {

HANDLE openConsoleOutput()
{
    return CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, 0, nullptr);
}

bool isHandle(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }

// Sends a C stream (stdout, stderr) to the console, so that printf's messages and freeglut's
// reach it. The stream of a program started with no output handle has no descriptor, and some
// runtimes refuse to freopen such a stream: it becomes a copy of a new stream on the console
// instead, unbuffered so that no line is held back in two buffers.
void sendStreamToConsole(FILE* stream)
{
    HANDLE handle = openConsoleOutput();
    if (!isHandle(handle)) return;
    int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_TEXT);
    if (descriptor < 0) {
        CloseHandle(handle);
        return;
    }
    FILE* console = _fdopen(descriptor, "w");
    if (console == nullptr) {
        _close(descriptor);
        return;
    }
    std::setvbuf(console, nullptr, _IONBF, 0);
    *stream = *console;
}

}  // namespace
#endif

void printBanner()
{
#ifdef _WIN32
    // cmd, PowerShell and Windows Terminal use different code pages, but each console takes
    // UTF-16, where every Latin-1 byte keeps its value. A file or a pipe gets the bytes below.
    // The program is a GUI one, so that a double-click opens no console: with no output handle
    // of its own it writes into the console of the prompt it was started from, if any, and so do
    // its later messages (a missing texture's is printed on stdout).
    HANDLE console = GetStdHandle(STD_OUTPUT_HANDLE);
    if (!isHandle(console) && AttachConsole(ATTACH_PARENT_PROCESS)) {
        console = openConsoleOutput();
        sendStreamToConsole(stdout);
        if (!isHandle(GetStdHandle(STD_ERROR_HANDLE))) sendStreamToConsole(stderr);
    }
    DWORD mode = 0;
    if (GetConsoleMode(console, &mode)) {
        for (int i = 0; i < 6; ++i) {
            std::wstring line;
            for (const char* c = kBannerLatin1[i]; *c != '\0'; ++c)
                line += static_cast<wchar_t>(static_cast<unsigned char>(*c));
            line += L"\r\n";
            DWORD written = 0;
            WriteConsoleW(console, line.c_str(), static_cast<DWORD>(line.size()), &written, nullptr);
        }
        return;
    }
#endif
    const char* const* lines = bannerLines(consoleIsUtf8());
    for (int i = 0; i < 6; ++i) std::cout << lines[i] << std::endl;
}

void initScene()
{
    glClearColor(kClearColour[0], kClearColour[1], kClearColour[2], kClearColour[3]);
    // Lights 0 and 1 stay off: the flicker switches the first, the spark the second.
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT2);
    glEnable(GL_LIGHT3);
    glEnable(GL_LIGHT4);
    glEnable(GL_NORMALIZE);                 // the cylinder builders' normals are not unit length
    glShadeModel(GL_SMOOTH);

    // Each object is stored as soon as it exists; all but the gas compile display lists now.
    scene.axisMarker = std::make_unique<AxisMarker>();
    scene.block = std::make_unique<EngineBlock>();
    scene.crankTrain = std::make_unique<CrankTrain>();
    scene.gas = std::make_unique<GasVolume>();
    scene.intakeValve = std::make_unique<Valve>();
    scene.exhaustValve = std::make_unique<Valve>();
}

void onReshape(int width, int height)
{
    // A zero height (a minimised window) keeps the previous aspect rather than dividing by 0.
    if (height > 0) scene.aspect = static_cast<float>(static_cast<double>(width) / height);
    else if (scene.aspect == 0.0f) scene.aspect = 1.0f;

    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    applyProjection();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    restoreWindowedPlace(width, height);
}

void applyProjection()
{
    if (scene.projectorMode) {
        applyProjectorFraming();
        return;
    }
    gluPerspective(kFieldOfViewDeg, scene.aspect, kNearPlane, kFarPlane);
}
