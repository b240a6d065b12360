#include "web/page_buttons.h"

#include <emscripten.h>
#include <emscripten/html5.h>

#include <cstdint>
#include <string>

#include "controls/commands.h"
#include "tools/stills/texts/printed_texts.h"
#include "web/page_layout.h"

using namespace stills;

namespace {

ViewState* gState = nullptr;

enum class Command { key, resetSpeed, fullScreen };

struct PageButton {
    const PageButtonText& text;
    const char* group;
    Command command;
    unsigned char key;                      // Command::key: the desktop program's key
    bool (*pressed)(const ViewState&);      // a toggle's state; null for a plain button
};

bool paused(const ViewState& s) { return s.paused; }
template <ViewMode mode>
bool viewing(const ViewState& s) { return s.viewMode == mode; }
bool gasShown(const ViewState& s) { return s.showGas; }
bool blockShown(const ViewState& s) { return s.showBlock; }
bool texturesShown(const ViewState& s) { return s.texturesOn; }
bool explanationsShown(const ViewState& s) { return s.showExplanations; }
bool helpShown(const ViewState& s) { return s.showHelp; }
bool fullScreen(const ViewState&) { return isFullScreen(); }

const PageButton kButtons[] = {
    {kPauseButton, kCycleGroup, Command::key, ' ', paused},
    {kPreviousStrokeButton, kCycleGroup, Command::key, 'b', nullptr},
    {kNextStrokeButton, kCycleGroup, Command::key, 'n', nullptr},
    {kDegreeDownButton, kCycleGroup, Command::key, 'j', nullptr},
    {kDegreeUpButton, kCycleGroup, Command::key, 'k', nullptr},
    {kSlowerButton, kSpeedGroup, Command::key, '-', nullptr},
    {kFasterButton, kSpeedGroup, Command::key, '+', nullptr},
    {kResetSpeedButton, kSpeedGroup, Command::resetSpeed, 0, nullptr},
    {kEngineViewButton, kViewsGroup, Command::key, '1', viewing<VIEW_ENGINE>},
    {kBlockViewButton, kViewsGroup, Command::key, '2', viewing<VIEW_BLOCK>},
    {kCrankViewButton, kViewsGroup, Command::key, '3', viewing<VIEW_CRANK>},
    {kValvesViewButton, kViewsGroup, Command::key, '4', viewing<VIEW_VALVES>},
    {kGasButton, kDisplayGroup, Command::key, '5', gasShown},
    {kBlockButton, kDisplayGroup, Command::key, '6', blockShown},
    {kTexturesButton, kDisplayGroup, Command::key, 't', texturesShown},
    {kExplanationsButton, kDisplayGroup, Command::key, 'e', explanationsShown},
    {kHelpButton, kDisplayGroup, Command::key, 'a', helpShown},
    {kFullScreenButton, kScreenGroup, Command::fullScreen, 0, fullScreen},
};
constexpr int kButtonCount = sizeof kButtons / sizeof kButtons[0];
int gPressedShown[kButtonCount];            // what each toggle's aria-pressed last said; -1 unwritten

// A button in the bar's last group, or in a new group after it when the group's name changes.
EM_JS(void, addButton, (int index, const char* symbol, const char* name, const char* group, const char* barName,
                        int key, int toggle), {
    const bar = document.getElementById("buttons");
    bar.setAttribute("aria-label", UTF8ToString(barName));
    const groupName = UTF8ToString(group);
    let box = bar.lastElementChild;
    if (!box || box.getAttribute("aria-label") !== groupName) {
        box = document.createElement("div");
        box.setAttribute("role", "group");
        box.setAttribute("aria-label", groupName);
        bar.appendChild(box);
    }
    const button = document.createElement("button");
    button.type = "button";
    button.id = "button-" + index;
    button.textContent = UTF8ToString(symbol);
    button.setAttribute("aria-label", UTF8ToString(name));
    button.title = UTF8ToString(name);
    if (key) button.dataset.key = String.fromCharCode(key);    // for whoever drives the page
    if (toggle) button.setAttribute("aria-pressed", "false");
    box.appendChild(button);
});

EM_JS(void, setPressed, (int index, int pressed), {
    document.getElementById("button-" + index).setAttribute("aria-pressed", pressed ? "true" : "false");
});

EM_BOOL onClick(int, const EmscriptenMouseEvent*, void* data)
{
    const PageButton& button = kButtons[reinterpret_cast<std::intptr_t>(data)];
    switch (button.command) {
    case Command::key: applyKey(*gState, button.key); break;
    case Command::resetSpeed: pressButton(*gState, MouseButton::middle, 0, 0); break;
    case Command::fullScreen: toggleFullScreen(); break;
    }
    return EM_TRUE;
}

}  // namespace

void addPageButtons(ViewState& state)
{
    gState = &state;
    for (int i = 0; i < kButtonCount; ++i) {
        const PageButton& b = kButtons[i];
        addButton(i, b.text.symbol, b.text.name, b.group, kButtonsName, b.key, b.pressed != nullptr ? 1 : 0);
        gPressedShown[i] = -1;
        const std::string selector = "#button-" + std::to_string(i);
        emscripten_set_click_callback(selector.c_str(), reinterpret_cast<void*>(static_cast<std::intptr_t>(i)), EM_FALSE,
                                      onClick);
    }
}

void updatePageButtons(const ViewState& state)
{
    for (int i = 0; i < kButtonCount; ++i) {
        if (kButtons[i].pressed == nullptr) continue;
        const int pressed = kButtons[i].pressed(state) ? 1 : 0;
        if (pressed != gPressedShown[i]) setPressed(i, pressed);
        gPressedShown[i] = pressed;
    }
}
