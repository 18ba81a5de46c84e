// Every host call a command makes, failed in turn: the run must end with an error (never
// a success that changed the map otherwise than a clean run, never a cancel the user did
// not ask for), the preference file must stay readable, and the sanitizer build must see
// no crash and no leak. Start-up is swept over its suite acquisitions the same way.
//
// CARTOVEL_SWEEP_STRIDE=n tries every n-th call (CI uses a stride; scripts/fault-sweep.sh
// tries them all). Each command prints its figures.
#include "support/EveryCommandMap.h"
#include "support/ModuleHostTest.h"

#include "host/core/Faults.h"
#include "host/prefs/PreferenceStore.h"
#include "host/svg/SvgFile.h"
#include "platform/ws.h"
#include "resources/CartovelResources.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using host::Answer;
using ws::ScriptedUser;

constexpr HostErr kInjected = HOST_FOURCC('S', 'W', 'E', 'P');

constexpr const char* kMap = cartotest::kEveryCommandMap;

struct Command {
    /// The menu item to choose; its command line name names the test.
    const menu::Item* item;
    /// Selection by SVG id.
    std::vector<std::string> select;
    std::function<std::vector<ScriptedUser::Action>(const std::filesystem::path& dir)> dialogs;
    std::vector<Answer> answers;
};

// Test names show the command, not its bytes.
void PrintTo(const Command& command, std::ostream* out) {
    *out << command.item->command;
}

std::vector<ScriptedUser::Action> Ok(const std::filesystem::path&) {
    return {ScriptedUser::ok()};
}

const Command kCommands[] = {
    {&menu::kPolygonColouring, {}, nullptr, {Answer::Ok}},
    {&menu::kMapScaling, {}, Ok, {}},
    {&menu::kScaleBar, {}, Ok, {}},
    {&menu::kFastMove, {"arrow"}, nullptr, {Answer::No}},
    {&menu::kLayerNumbering, {}, Ok, {}},
    {&menu::kLayerReplace,
     {},
     [](const std::filesystem::path&) {
         return std::vector<ScriptedUser::Action>{
             ScriptedUser::type(layerreplace::kSearchTextId, "町"),
             ScriptedUser::type(layerreplace::kReplaceTextId, "村"), ScriptedUser::ok()};
     },
     {}},
    {&menu::kSaveLayerList,
     {},
     [](const std::filesystem::path& dir) {
         return std::vector<ScriptedUser::Action>{
             ScriptedUser::type(WS_FD_FILENAME, (dir / "saved.txt").string()), ScriptedUser::ok()};
     },
     {Answer::Ok}},
    {&menu::kLoadLayerList,
     {},
     [](const std::filesystem::path& dir) {
         return std::vector<ScriptedUser::Action>{
             ScriptedUser::click(layerlist::kCreateRadioId), ScriptedUser::ok(),
             ScriptedUser::type(WS_FD_FILENAME, (dir / "names.txt").string()), ScriptedUser::ok()};
     },
     {}},
    {&menu::kResetImageSize, {"img"}, nullptr, {}},
    {&menu::kStraightenText, {"label"}, nullptr, {}},
    {&menu::kRemoveTextShear, {"sheared"}, nullptr, {}},
};

std::uint64_t Stride() {
    const char* text = std::getenv("CARTOVEL_SWEEP_STRIDE");
    const long value = text == nullptr ? 1 : std::atol(text);
    return value < 1 ? 1 : static_cast<std::uint64_t>(value);
}

struct Outcome {
    HostErr result = kHostNoErr;
    std::string map;             // the document afterwards, as SVG
    std::uint64_t calls = 0;     // host calls the command made
    std::string failedOperation; // where the fault fired
    bool fired = false;
    bool preferencesReadable = true;
    std::string savedList; // save-layer-list's file, if any
    bool savedExists = false;
    std::vector<std::string> leftovers; // hidden files beside the documents
};

class FaultSweep : public cartotest::ModuleHostTest, public ::testing::WithParamInterface<Command> {
protected:
    // One run on a fresh host and a fresh copy of the map; failCall 0 fails nothing.
    Outcome Run(const Command& c, std::uint64_t failCall) {
        RestartHost();
        Outcome out;
        std::filesystem::remove(dir() / "saved.txt");
        {
            std::ofstream names(dir() / "names.txt", std::ios::binary);
            names << "新\r\n\t新町\r\n新地図\r\n";
        }
        host::SvgLoadResult loaded = host::loadSvgText("sweep.svg", kMap);
        EXPECT_NE(loaded.document, nullptr) << loaded.message;
        if (!loaded.document) return out;
        host::Document& d = OpenSession(std::move(loaded.document));
        for (host::Layer* layer : d.allLayers())
            if (layer->title == "地図") d.setCurrentLayer(*layer);
        for (const std::string& id : c.select)
            for (host::Layer* layer : d.allLayers())
                for (host::Art* art : d.layerArt(*layer))
                    if (art->name == id)
                        d.setUserAttributes(*art, host::kAttrSelected, host::kAttrSelected);
        StartModule();
        Script(c.dialogs ? c.dialogs(dir()) : std::vector<ScriptedUser::Action>{});
        Answers(c.answers);

        host::Faults& faults = app().faults();
        const std::uint64_t before = faults.totalCalls();
        const std::uint64_t firedBefore = faults.fired();
        if (failCall != 0) faults.failCall(failCall, kInjected);
        out.result = ChooseMenu(c.item->text);
        faults.clear();
        out.calls = faults.totalCalls() - before;
        out.fired = faults.fired() > firedBefore;
        out.failedOperation = faults.lastFiredOperation();

        std::string message;
        EXPECT_EQ(host::writeSvgText(doc(), out.map, message), kHostNoErr) << message;
        out.savedExists = std::filesystem::exists(dir() / "saved.txt");
        std::ifstream saved(dir() / "saved.txt", std::ios::binary);
        out.savedList.assign(std::istreambuf_iterator<char>(saved), {});
        for (const auto& entry : std::filesystem::directory_iterator(dir()))
            if (entry.path().filename().string().starts_with("."))
                out.leftovers.push_back(entry.path().filename().string());

        bool damaged = false;
        const host::PreferenceStore prefs(preferencesFile(),
                                          [&](const std::string&) { damaged = true; });
        out.preferencesReadable = !damaged;
        return out;
    }
};

TEST_P(FaultSweep, EveryFailedHostCallEndsTheCommandWithAnError) {
    const Command& c = GetParam();
    const Outcome clean = Run(c, 0);
    ASSERT_EQ(clean.result, kHostNoErr) << "the clean run";
    ASSERT_GT(clean.calls, 0u);

    const std::uint64_t stride = Stride();
    std::uint64_t points = 0, errors = 0, harmless = 0;
    std::vector<std::string> silent, cancels;
    std::map<std::string, int> harmlessByOperation;
    for (std::uint64_t k = 1 + (stride > 1 ? clean.calls % stride : 0); k <= clean.calls;
         k += stride) {
        const Outcome run = Run(c, k);
        if (!run.fired) continue; // the run took another road before call k
        ++points;
        EXPECT_TRUE(run.preferencesReadable) << "call " << k << " " << run.failedOperation;
        EXPECT_TRUE(run.leftovers.empty()) << "call " << k << " " << run.leftovers.front();
        if (run.result != kHostNoErr) {
            EXPECT_FALSE(run.savedExists) << "call " << k << " " << run.failedOperation;
        }
        if (run.result == kHostErrCancelled) {
            cancels.push_back(std::to_string(k) + " " + run.failedOperation);
        } else if (run.result != kHostNoErr) {
            ++errors;
        } else if (run.map == clean.map && run.savedList == clean.savedList) {
            // A query whose failure has a harmless fallback.
            ++harmless;
            ++harmlessByOperation[run.failedOperation];
        } else {
            silent.push_back(std::to_string(k) + " " + run.failedOperation);
        }
    }
    std::cout << "[ sweep    ] " << c.item->command << ": " << clean.calls << " calls, " << points
              << " points (stride " << stride << "), " << errors << " errors, " << harmless
              << " harmless, " << cancels.size() << " cancels, " << silent.size()
              << " silent partial results\n";
    for (const auto& [operation, n] : harmlessByOperation)
        std::cout << "[ sweep    ]   harmless: " << operation << " x" << n << "\n";
    for (const std::string& s : silent)
        ADD_FAILURE() << "success with a map unlike the clean run's after failing call " << s;
    for (const std::string& s : cancels)
        ADD_FAILURE() << "a host failure reported as a cancel: call " << s;
}

INSTANTIATE_TEST_SUITE_P(Commands, FaultSweep, ::testing::ValuesIn(kCommands),
                         [](const ::testing::TestParamInfo<Command>& param) {
                             std::string name = param.param.item->command;
                             for (char& ch : name)
                                 if (ch == '-') ch = '_';
                             return name;
                         });

class StartupSweep : public cartotest::ModuleHostTest {};

TEST_F(StartupSweep, EveryFailedSuiteAcquisitionFailsTheStart) {
    const std::uint64_t before = app().faults().acquisitions();
    StartModule();
    const std::uint64_t acquisitions = app().faults().acquisitions() - before;
    ASSERT_GT(acquisitions, 0u);
    const std::uint64_t stride = Stride();
    std::uint64_t points = 0;
    // The suite table comes first, 140 suites the module cannot start without; what is
    // acquired after it may be done without.
    constexpr std::uint64_t kSuiteTable = 140;
    for (std::uint64_t n = 1; n <= acquisitions; n += stride) {
        RestartHost();
        app().faults().failAcquisition(n, kInjected);
        const HostErr started = app().startModules();
        if (n <= kSuiteTable) {
            EXPECT_NE(started, kHostNoErr) << "acquisition " << n;
        }
        app().faults().clear();
        ++points;
    }
    std::cout << "[ sweep    ] start-up: " << acquisitions << " acquisitions, " << points
              << " points\n";
}

} // namespace
