// Rules both control tables keep, rather than the tables typed out again.

#include "forms/formtable.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>
#include <tuple>

namespace {

using namespace forms;

const FormTable& form(int i) {
    return i == 0 ? twinForm() : soloForm();
}

bool takesFocus(ControlKind kind) {
    return kind == ControlKind::ComboBox || kind == ControlKind::TextBox ||
           kind == ControlKind::OutputBox || kind == ControlKind::Button ||
           kind == ControlKind::Picture;
}

std::string_view str(const char* text) {
    return text != nullptr ? text : "";
}

// A line has no height: it overlaps what it runs through.
bool overlap(const ControlEntry& a, const ControlEntry& b) {
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
           b.top < a.top + a.height;
}

TEST(FormTable, EveryControlLiesInsideTheClientArea) {
    for (int i = 0; i < 2; ++i) {
        for (const ControlEntry& c : form(i).controls) {
            SCOPED_TRACE(std::string(form(i).name) + " " + c.name);
            EXPECT_GE(c.left, 0);
            EXPECT_GE(c.top, 0);
            EXPECT_GT(c.width, 0);
            EXPECT_EQ(c.height == 0, c.kind == ControlKind::Line);
            EXPECT_LE(c.left + c.width, form(i).clientWidth);
            EXPECT_LE(c.top + c.height, form(i).clientHeight);
        }
    }
}

// Labels may run into each other and the line, as the window was drawn; none
// may cover a box, a button or the diagram, nor those each other.
TEST(FormTable, NothingCoversWhatTakesTheFocus) {
    for (int i = 0; i < 2; ++i) {
        const auto controls = form(i).controls;
        for (size_t a = 0; a < controls.size(); ++a) {
            for (size_t b = a + 1; b < controls.size(); ++b) {
                if (takesFocus(controls[a].kind) || takesFocus(controls[b].kind)) {
                    EXPECT_FALSE(overlap(controls[a], controls[b]))
                        << form(i).name << " " << controls[a].name << " " << controls[b].name;
                }
            }
        }
    }
}

TEST(FormTable, NamesAreUniqueAndEveryReferenceNamesARowOfItsKind) {
    for (int i = 0; i < 2; ++i) {
        const FormTable& f = form(i);
        std::set<std::string_view> names;
        for (const ControlEntry& c : f.controls) {
            EXPECT_TRUE(names.insert(c.name).second) << f.name << " " << c.name;
            if (c.captionLabel != nullptr) {
                const ControlEntry* label = f.find(c.captionLabel);
                ASSERT_NE(label, nullptr) << f.name << " " << c.name;
                EXPECT_EQ(label->kind, ControlKind::Label) << f.name << " " << c.name;
            }
            // Each box, button and the diagram has something to be called by.
            if (takesFocus(c.kind)) {
                EXPECT_FALSE(spokenNameOf(f, c).empty() && str(c.text).empty())
                    << f.name << " " << c.name;
            }
        }
        if (f.closeButton != nullptr) {
            ASSERT_NE(f.find(f.closeButton), nullptr);
            EXPECT_EQ(f.find(f.closeButton)->kind, ControlKind::Button);
        }
    }
    EXPECT_EQ(twinForm().closeButton, nullptr);
    EXPECT_EQ(str(soloForm().closeButton), "cmdAfsluiten");
}

TEST(FormTable, TabOrderHoldsEveryControlThatTakesTheFocusOnce) {
    for (int i = 0; i < 2; ++i) {
        const FormTable& f = form(i);
        std::multiset<std::string_view> expected;
        for (const ControlEntry& c : f.controls) {
            if (takesFocus(c.kind)) {
                expected.insert(c.name);
            }
        }
        const std::multiset<std::string_view> tabbed(f.tabOrder.begin(), f.tabOrder.end());
        EXPECT_EQ(tabbed, expected) << f.name;
        EXPECT_EQ(tabbed.size(), f.tabOrder.size());
    }
}

// What both windows show stands alike in both, but for the rows of mode 1's
// input that solooffset moves down for its diameter box, and its own note.
TEST(FormTable, SharedRowsStandAlikeInBothWindows) {
    const std::set<std::string_view> moved{"Label3", "txtHorVersleping", "cmdBereken", "Label14"};
    int shared = 0;
    for (const ControlEntry& twin : twinForm().controls) {
        const ControlEntry* solo = soloForm().find(twin.name);
        if (solo == nullptr || moved.contains(twin.name)) {
            continue;
        }
        ++shared;
        SCOPED_TRACE(twin.name);
        EXPECT_EQ(solo->kind, twin.kind);
        EXPECT_EQ(std::tuple(solo->left, solo->top, solo->width, solo->height),
                  std::tuple(twin.left, twin.top, twin.width, twin.height));
        EXPECT_EQ(str(solo->captionLabel), str(twin.captionLabel));
        EXPECT_EQ(str(solo->spokenName), str(twin.spokenName));
        EXPECT_EQ(str(solo->description), str(twin.description));
        if (twin.kind != ControlKind::Picture) { // each window its own drawing
            EXPECT_EQ(str(solo->text), str(twin.text));
        }
    }
    EXPECT_EQ(shared, 26); // every row of the concentric window but those moved
    EXPECT_EQ(twinForm().clientWidth, soloForm().clientWidth);
    EXPECT_EQ(twinForm().clientHeight, soloForm().clientHeight);
}

TEST(Spoken, CaptionsAreReadWithoutColonAndExtraBlanks) {
    const std::pair<std::string_view, std::string_view> rows[] = {
        {"Verticale    versleping in mm:", "Verticale versleping in mm"},
        {"A:", "A"},
        {"Diameter in mm: ", "Diameter in mm"},
        {" Hoek\tin\n graden", "Hoek in graden"},
        {"Lengte horizontale- versleping in mm:", "Lengte horizontale- versleping in mm"},
        {"", ""},
    };
    for (const auto& [caption, spoken] : rows) {
        EXPECT_EQ(spokenCaption(caption), spoken) << caption;
    }
    const FormTable& solo = soloForm();
    EXPECT_EQ(spokenNameOf(solo, *solo.find("cmbDiameter")), "Diameter in mm");
    EXPECT_EQ(spokenNameOf(solo, *solo.find("cmdPrinten")), "Printen: venster afdrukken");
    EXPECT_EQ(spokenNameOf(solo, *solo.find("cmdBereken")), "");
}

} // namespace
