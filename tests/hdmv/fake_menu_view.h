#pragma once
// A menu page for the emulator tests: a button state table, auto-action command lists, and a
// record of every drawing call.

#include "hdmv/menu_view.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace mirtal::hdmv::testing {

class FakeMenuView : public MenuView {
public:
    struct Button {
        int bog = 0;
        bool enabled = false;
    };

    bool isActive() const override { return active; }
    int bogOf(uint16_t id) const override { return id < buttons.size() ? buttons[id].bog : -1; }
    void enableExclusive(uint16_t id) override
    {
        calls.push_back("enable " + std::to_string(id));
        if (id >= buttons.size())
            return;
        for (auto& b : buttons)
            if (b.bog == buttons[id].bog)
                b.enabled = false;
        buttons[id].enabled = true;
    }
    void disable(uint16_t id) override
    {
        calls.push_back("disable " + std::to_string(id));
        if (id < buttons.size())
            buttons[id].enabled = false;
    }
    void selectPage(uint32_t page) override { calls.push_back("page " + std::to_string(page)); }
    void DrawPage() override { calls.push_back("DrawPage"); }
    void DrawButton(uint16_t id) override { calls.push_back("DrawButton " + std::to_string(id)); }
    void DrawSButton() override { calls.push_back("DrawSButton"); }
    void DelButton(uint16_t id) override { calls.push_back("DelButton " + std::to_string(id)); }
    const CommandList* autoActionCommands(uint32_t page, uint16_t id) const override
    {
        const auto it = autoAction.find({page, id});
        return it == autoAction.end() ? nullptr : &it->second;
    }
    void selectButtonInList(uint16_t id) override { calls.push_back("list " + std::to_string(id)); }

    bool active = true;
    std::vector<Button> buttons;
    std::map<std::pair<uint32_t, uint16_t>, CommandList> autoAction;
    std::vector<std::string> calls;
};

}  // namespace mirtal::hdmv::testing
