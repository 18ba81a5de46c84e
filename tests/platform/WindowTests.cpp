// Windows, messages, focus and the built-in controls.
#include "TestSupport.h"

#include <algorithm>

namespace {

struct Event {
    WsWindow window;
    uint32_t message;
    WsWParam wParam;
    bool operator==(const Event&) const = default;
};

std::vector<Event> events;

WsLResult recorder(WsWindow w, uint32_t message, WsWParam wParam, WsLParam lParam) {
    if (message != WS_GETTEXT && message != WS_GETTEXTLENGTH)
        events.push_back({w, message, wParam});
    return WsDefWindowProc(w, message, wParam, lParam);
}

class Windows : public ::testing::Test {
protected:
    void SetUp() override {
        static const WsWindowClass recording{"TestRecorder", recorder};
        WsRegisterClass(&recording);
        frame = WsCreateWindow("TestRecorder", "frame", 0, 0, 0, 200, 100, nullptr, 0, nullptr);
        ASSERT_TRUE(frame);
        events.clear();
    }
    void TearDown() override {
        WsDestroyWindow(frame);
        WsSetFocus(nullptr);
    }

    WsWindow child(const char* cls, int32_t id, uint32_t style = 0, const char* text = "") {
        return WsCreateWindow(cls, text, style, 0, 0, 10, 10, frame, id, nullptr);
    }

    std::vector<Event> commands() const {
        std::vector<Event> out;
        std::copy_if(events.begin(), events.end(), std::back_inserter(out),
                     [](const Event& e) { return e.message == WS_COMMAND; });
        return out;
    }

    Event command(int32_t id, uint16_t code) const {
        return {frame, WS_COMMAND, WS_MAKEWPARAM(id, code)};
    }

    WsWindow frame = nullptr;
};

} // namespace

TEST_F(Windows, StaleAndMadeUpHandlesFailCleanly) {
    WsWindow gone = child("EDIT", 5);
    ASSERT_TRUE(gone);
    ASSERT_TRUE(WsDestroyWindow(gone));
    // The freed slot is taken again: the old handle must still name nothing.
    WsWindow reused = child("EDIT", 6);
    ASSERT_TRUE(reused);
    EXPECT_NE(reused, gone);

    const WsWindow bad[] = {gone, reinterpret_cast<WsWindow>(std::uintptr_t{0xDEADBEEF}),
                            reinterpret_cast<WsWindow>(~std::uintptr_t{0})};
    for (WsWindow w : bad) {
        char text[16] = "x";
        WsRect rect{};
        EXPECT_FALSE(WsIsWindow(w));
        EXPECT_FALSE(WsDestroyWindow(w));
        EXPECT_FALSE(WsGetParent(w));
        EXPECT_EQ(WsGetDlgCtrlID(w), 0);
        EXPECT_EQ(WsSendMessage(w, WS_BM_GETCHECK, 0, 0), 0);
        EXPECT_FALSE(WsSetWindowText(w, "a"));
        EXPECT_EQ(WsGetWindowText(w, text, sizeof text, 16), 0);
        EXPECT_STREQ(text, "");
        EXPECT_FALSE(WsEnableWindow(w, 1));
        EXPECT_FALSE(WsIsWindowEnabled(w));
        EXPECT_FALSE(WsShowWindow(w, 1));
        EXPECT_FALSE(WsIsWindowVisible(w));
        EXPECT_FALSE(WsSetProp(w, "p", text));
        EXPECT_FALSE(WsGetProp(w, "p"));
        EXPECT_FALSE(WsRemoveProp(w, "p"));
        EXPECT_FALSE(WsSetWindowProc(w, recorder));
        EXPECT_EQ(WsCallWindowProc(recorder, w, WS_USER, 0, 0), 0);
        EXPECT_EQ(WsDefWindowProc(w, WS_GETTEXTLENGTH, 0, 0), 0);
        EXPECT_FALSE(WsSetFocus(w));
        EXPECT_FALSE(WsGetDlgItem(w, 5));
        EXPECT_FALSE(WsEndDialog(w, 1));
        EXPECT_FALSE(WsGetFirstChild(w));
        EXPECT_FALSE(WsGetNextSibling(w));
        EXPECT_FALSE(WsMoveWindow(w, 0, 0, 1, 1));
        EXPECT_FALSE(WsGetWindowRect(w, &rect));
        EXPECT_EQ(WsGetClassName(w, text, sizeof text), 0u);
        EXPECT_FALSE(WsCreateWindow("EDIT", "", 0, 0, 0, 1, 1, w, 1, nullptr)) << "a dead parent";
    }
}

TEST_F(Windows, DestroyTakesChildrenAndFocusWithoutFurtherMessages) {
    WsWindow panel = WsCreateWindow("TestRecorder", "", 0, 0, 0, 1, 1, frame, 7, nullptr);
    WsWindow inner = WsCreateWindow("TestRecorder", "", 0, 0, 0, 1, 1, panel, 8, nullptr);
    WsWindow sibling = child("STATIC", 9);
    WsSetFocus(inner);
    events.clear();
    ASSERT_TRUE(WsDestroyWindow(panel));
    EXPECT_EQ(events, (std::vector<Event>{{panel, WS_DESTROY, 0}, {inner, WS_DESTROY, 0}}));
    EXPECT_FALSE(WsIsWindow(inner));
    EXPECT_FALSE(WsGetFocus());
    EXPECT_EQ(WsGetFirstChild(frame), sibling);
    EXPECT_FALSE(WsGetNextSibling(sibling));
}

TEST_F(Windows, FocusMovesWithKillBeforeSetAndEditsTellTheirParent) {
    WsWindow a = child("EDIT", 11);
    WsWindow b = child("EDIT", 12);
    EXPECT_FALSE(WsSetFocus(a));
    EXPECT_EQ(WsSetFocus(b), a);
    EXPECT_EQ(WsGetFocus(), b);
    EXPECT_EQ(WsSetFocus(b), b) << "focusing the focus sends nothing";
    EXPECT_EQ(commands(),
              (std::vector<Event>{command(11, WS_EN_SETFOCUS), command(11, WS_EN_KILLFOCUS),
                                  command(12, WS_EN_SETFOCUS)}));
    events.clear();
    WsSetFocus(frame);
    EXPECT_EQ(events, (std::vector<Event>{{frame, WS_COMMAND, WS_MAKEWPARAM(12, WS_EN_KILLFOCUS)},
                                          {frame, WS_SETFOCUS, reinterpret_cast<WsWParam>(b)}}));
}

namespace {
WsWindow takeBack = nullptr;
WsLResult refocusing(WsWindow w, uint32_t message, WsWParam wParam, WsLParam lParam) {
    if (message == WS_COMMAND && WS_HIWORD(wParam) == WS_EN_KILLFOCUS) WsSetFocus(takeBack);
    return recorder(w, message, wParam, lParam);
}
} // namespace

TEST_F(Windows, AFocusChangeMadeWhileLosingTheFocusWins) {
    WsWindow a = child("EDIT", 11);
    WsWindow b = child("EDIT", 12);
    WsWindow c = child("BUTTON", 13);
    takeBack = c;
    WsSetFocus(a);
    WsSetWindowProc(frame, refocusing);
    WsSetFocus(b);
    EXPECT_EQ(WsGetFocus(), c);
    EXPECT_TRUE(std::none_of(events.begin(), events.end(), [&](const Event& e) {
        return e.message == WS_COMMAND && e.wParam == WS_MAKEWPARAM(12, WS_EN_SETFOCUS);
    })) << "the overruled window never got the focus";
}

namespace {
WsWindowProc previousEditProc = nullptr;
WsLResult upperCasing(WsWindow w, uint32_t message, WsWParam wParam, WsLParam lParam) {
    if (message == WS_SETTEXT) {
        std::string text = reinterpret_cast<const char*>(lParam);
        for (char& ch : text)
            ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        return WsCallWindowProc(previousEditProc, w, message, wParam,
                                reinterpret_cast<WsLParam>(text.c_str()));
    }
    return WsCallWindowProc(previousEditProc, w, message, wParam, lParam);
}
} // namespace

TEST_F(Windows, ReplacedProcedureSeesMessagesAndChainsToThePrevious) {
    WsWindow edit = child("EDIT", 20);
    previousEditProc = WsSetWindowProc(edit, upperCasing);
    ASSERT_TRUE(previousEditProc);
    WsSetWindowText(edit, "abc");
    char text[8];
    WsGetWindowText(edit, text, sizeof text, 8);
    EXPECT_STREQ(text, "ABC");
    EXPECT_EQ(commands(), (std::vector<Event>{command(20, WS_EN_CHANGE)}));
    EXPECT_EQ(WsSetWindowProc(edit, previousEditProc), upperCasing);
    WsSetWindowText(edit, "abc");
    WsGetWindowText(edit, text, sizeof text, 8);
    EXPECT_STREQ(text, "abc");

    EXPECT_TRUE(WsSetProp(edit, "TPNL", text));
    EXPECT_TRUE(WsSetProp(edit, "TPNL", &text[1]));
    EXPECT_EQ(WsGetProp(edit, "TPNL"), &text[1]);
    EXPECT_EQ(WsRemoveProp(edit, "TPNL"), &text[1]);
    EXPECT_FALSE(WsGetProp(edit, "TPNL"));
}

TEST_F(Windows, TextIsCutAtWholeCharactersWithinBothLimits) {
    WsWindow s = child("STATIC", 1);
    WsSetWindowText(s, "a\xc3\xa9\xe6\x97\xa5z"); // a, e-acute (2 bytes), a kanji (3 bytes), z
    const struct {
        size_t bufferSize;
        int maxChars;
        const char* text;
        int chars;
    } cases[] = {
        {64, 48, "a\xc3\xa9\xe6\x97\xa5z", 4},
        {64, 3, "a\xc3\xa9", 2},
        {64, 1, "", 0},
        {64, 0, "", 0},
        {3, 48, "a", 1},
        {4, 48, "a\xc3\xa9", 2},
        {6, 48, "a\xc3\xa9", 2},
        {7, 48, "a\xc3\xa9\xe6\x97\xa5", 3},
        {1, 48, "", 0},
    };
    for (const auto& c : cases) {
        char buffer[64];
        std::fill(std::begin(buffer), std::end(buffer), '#');
        EXPECT_EQ(WsGetWindowText(s, buffer, c.bufferSize, c.maxChars), c.chars)
            << c.bufferSize << "/" << c.maxChars;
        EXPECT_STREQ(buffer, c.text) << c.bufferSize << "/" << c.maxChars;
    }
    EXPECT_EQ(WsSendMessage(s, WS_GETTEXTLENGTH, 0, 0), 7);
}

TEST_F(Windows, RadioGroupsInterleaveAndClicksNotifyAsAUserClickDoes) {
    WsWindow r1 = child("BUTTON", 1, WS_BS_AUTORADIOBUTTON);
    WsWindow r2 = child("BUTTON", 2, WS_BS_AUTORADIOBUTTON);
    WsWindow box = child("BUTTON", 3, WS_BS_AUTOCHECKBOX);
    WsWindow off = child("BUTTON", 4, WS_BS_PUSHBUTTON | WS_STYLE_DISABLED);
    WsWindow edit = child("EDIT", 5);
    WsSendMessage(r1, WS_BM_SETCHECK, WS_BST_CHECKED, 0);
    WsSetFocus(edit);
    events.clear();

    WsSendMessage(r2, WS_BM_CLICK, 0, 0);
    EXPECT_EQ(WsSendMessage(r1, WS_BM_GETCHECK, 0, 0), WS_BST_UNCHECKED);
    EXPECT_EQ(WsSendMessage(r2, WS_BM_GETCHECK, 0, 0), WS_BST_CHECKED);
    EXPECT_EQ(WsGetFocus(), r2);
    EXPECT_EQ(commands(),
              (std::vector<Event>{command(5, WS_EN_KILLFOCUS), command(2, WS_BN_CLICKED)}))
        << "the field is left before the click arrives";

    WsSendMessage(box, WS_BM_CLICK, 0, 0);
    EXPECT_EQ(WsSendMessage(box, WS_BM_GETCHECK, 0, 0), WS_BST_CHECKED);
    EXPECT_EQ(WsSendMessage(r2, WS_BM_GETCHECK, 0, 0), WS_BST_CHECKED) << "not in the group";
    WsSendMessage(box, WS_BM_CLICK, 0, 0);
    EXPECT_EQ(WsSendMessage(box, WS_BM_GETCHECK, 0, 0), WS_BST_UNCHECKED);

    events.clear();
    WsSendMessage(off, WS_BM_CLICK, 0, 0);
    EXPECT_TRUE(commands().empty()) << "a disabled button cannot be clicked";
}

TEST_F(Windows, ComboBoxKeepsSelectionTextAndDataInStep) {
    WsWindow combo = child("COMBOBOX", 30);
    auto send = [&](uint32_t m, WsWParam w, const char* l = nullptr) {
        return WsSendMessage(combo, m, w, reinterpret_cast<WsLParam>(l));
    };
    auto text = [&] {
        char buffer[32];
        WsGetWindowText(combo, buffer, sizeof buffer, 32);
        return std::string(buffer);
    };
    EXPECT_EQ(send(WS_CB_ADDSTRING, 0, "Shift-JIS"), 0);
    EXPECT_EQ(send(WS_CB_ADDSTRING, 0, "UTF-16"), 1);
    EXPECT_EQ(send(WS_CB_INSERTSTRING, 1, "UTF-8"), 1);
    EXPECT_EQ(send(WS_CB_INSERTSTRING, 9, "x"), WS_CB_ERR);
    EXPECT_EQ(WsSendMessage(combo, WS_CB_SETITEMDATA, 0, 17), 0);
    EXPECT_EQ(WsSendMessage(combo, WS_CB_SETITEMDATA, 2, 2), 0);
    EXPECT_EQ(send(WS_CB_SETCURSEL, 2), 2);
    EXPECT_EQ(text(), "UTF-16");

    EXPECT_EQ(send(WS_CB_INSERTSTRING, 0, "ASCII"), 0);
    EXPECT_EQ(send(WS_CB_GETCURSEL, 0), 3) << "the selection follows its item";
    EXPECT_EQ(send(WS_CB_GETITEMDATA, 3), 2);
    EXPECT_EQ(send(WS_CB_DELETESTRING, 1), 3);
    EXPECT_EQ(send(WS_CB_GETCURSEL, 0), 2);
    EXPECT_EQ(send(WS_CB_DELETESTRING, 2), 2);
    EXPECT_EQ(send(WS_CB_GETCURSEL, 0), -1);
    EXPECT_EQ(text(), "") << "a drop-down list without selection shows nothing";

    EXPECT_EQ(send(WS_CB_FINDSTRINGEXACT, static_cast<WsWParam>(-1), "utf-8"), 1);
    EXPECT_EQ(send(WS_CB_FINDSTRINGEXACT, 1, "ascii"), 0) << "the search wraps";
    EXPECT_EQ(send(WS_CB_FINDSTRINGEXACT, static_cast<WsWParam>(-1), "UTF"), WS_CB_ERR);
    EXPECT_TRUE(WsSetWindowText(combo, "UTF-8"));
    EXPECT_EQ(send(WS_CB_GETCURSEL, 0), 1) << "setting a drop-down list's text picks the item";
    EXPECT_FALSE(WsSetWindowText(combo, "EBCDIC"));
    EXPECT_EQ(send(WS_CB_GETCURSEL, 0), 1);

    char item[16];
    EXPECT_EQ(send(WS_CB_GETLBTEXTLEN, 1), 5);
    EXPECT_EQ(send(WS_CB_GETLBTEXT, 1, item), 5);
    EXPECT_STREQ(item, "UTF-8");
    EXPECT_EQ(send(WS_CB_GETLBTEXT, 7, item), WS_CB_ERR);
    EXPECT_EQ(send(WS_CB_GETITEMDATA, 7), WS_CB_ERR);
    EXPECT_EQ(send(WS_CB_SETCURSEL, 7), WS_CB_ERR);
    EXPECT_EQ(send(WS_CB_GETCURSEL, 0), -1);
    EXPECT_EQ(send(WS_CB_RESETCONTENT, 0), 0);
    EXPECT_EQ(send(WS_CB_GETCOUNT, 0), 0);
}

namespace {
WsLResult refuseCreation(WsWindow w, uint32_t message, WsWParam wParam, WsLParam lParam) {
    return message == WS_CREATE ? -1 : WsDefWindowProc(w, message, wParam, lParam);
}
WsLResult echoForever(WsWindow w, uint32_t message, WsWParam wParam, WsLParam) {
    return message == WS_USER ? WsSendMessage(w, WS_USER, wParam + 1, 0) : 0;
}
} // namespace

TEST_F(Windows, ClassesAreRegisteredOnceAndCreationCanBeRefused) {
    const WsWindowClass refusing{"TestRefusing", refuseCreation};
    const WsWindowClass clash{"testrecorder", recorder};
    const WsWindowClass builtIn{"Edit", recorder};
    EXPECT_TRUE(WsRegisterClass(&refusing));
    EXPECT_FALSE(WsRegisterClass(&refusing));
    EXPECT_FALSE(WsRegisterClass(&clash));
    EXPECT_FALSE(WsRegisterClass(&builtIn));
    EXPECT_FALSE(WsCreateWindow("TestRefusing", "", 0, 0, 0, 1, 1, frame, 1, nullptr));
    EXPECT_FALSE(WsGetFirstChild(frame)) << "the refused window is gone";
    EXPECT_FALSE(WsCreateWindow("NoSuchClass", "", 0, 0, 0, 1, 1, nullptr, 1, nullptr));
    EXPECT_FALSE(WsUnregisterClass("EDIT"));
    EXPECT_TRUE(WsUnregisterClass("TestRefusing"));
    EXPECT_FALSE(WsUnregisterClass("TestRefusing"));

    char name[16];
    EXPECT_EQ(WsGetClassName(child("edit", 2), name, sizeof name), 4u);
    EXPECT_STREQ(name, "EDIT");
}

TEST_F(Windows, RunawayMessageLoopsEndInsteadOfOverflowingTheStack) {
    const WsWindowClass echo{"TestEcho", echoForever};
    WsRegisterClass(&echo);
    WsWindow w = WsCreateWindow("TestEcho", "", 0, 0, 0, 1, 1, frame, 1, nullptr);
    EXPECT_EQ(WsSendMessage(w, WS_USER, 0, 0), 0);
    EXPECT_TRUE(WsIsWindow(w));
}

TEST_F(Windows, MovingSendsTheNewSizeOnlyWhenItChanges) {
    WsMoveWindow(frame, 5, 6, 300, 120);
    WsMoveWindow(frame, 7, 8, 300, 120);
    EXPECT_EQ(events, (std::vector<Event>{{frame, WS_SIZE, 0}}));
    WsRect r{};
    ASSERT_TRUE(WsGetWindowRect(frame, &r));
    EXPECT_EQ(r.left, 7);
    EXPECT_EQ(r.bottom, 128);
    ASSERT_TRUE(WsGetClientRect(frame, &r));
    EXPECT_EQ(r.right, 300);
    EXPECT_EQ(r.left, 0);
}
