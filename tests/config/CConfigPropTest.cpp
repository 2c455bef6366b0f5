#include "config/CConfigProp.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "config/CPreviewDialog.h"
#include "config/CWebAddress.h"
#include "config/ConfigFixture.h"
#include "config/TestDisplay.h"

namespace warpix {
namespace {

using testing::ConfigFixture;
using testing::settle;
using testing::settleUntil;
using testing::TestDisplay;

Gtk::Widget* findNamed(Gtk::Widget& root, const std::string& name, int skip = 0) {
  Gtk::Widget* found = nullptr;
  const auto visit = [&](auto& self, Gtk::Widget& widget) -> void {
    if (found != nullptr) return;
    if (widget.get_name() == name && skip-- == 0) {
      found = &widget;
      return;
    }
    if (auto* container = dynamic_cast<Gtk::Container*>(&widget))
      container->forall([&](Gtk::Widget& child) { self(self, child); });
  };
  visit(visit, root);
  return found;
}

template <typename T>
T& named(Gtk::Widget& root, const std::string& name) {
  T* widget = dynamic_cast<T*>(findNamed(root, name));
  if (widget == nullptr) throw std::runtime_error("no widget named " + name);
  return *widget;
}

void pressKey(Gtk::Window& window, guint keyval) {
  GdkEvent* event = gdk_event_new(GDK_KEY_PRESS);
  event->key.window = GDK_WINDOW(g_object_ref(window.get_window()->gobj()));
  event->key.send_event = TRUE;
  event->key.time = GDK_CURRENT_TIME;
  event->key.keyval = keyval;
  GdkKeymapKey* keys = nullptr;
  gint count = 0;
  if (gdk_keymap_get_entries_for_keyval(gdk_keymap_get_for_display(gdk_display_get_default()), keyval, &keys,
                                        &count) &&
      count > 0)
    event->key.hardware_keycode = static_cast<guint16>(keys[0].keycode);
  g_free(keys);
  gdk_event_set_device(event, gdk_seat_get_keyboard(gdk_display_get_default_seat(gdk_display_get_default())));
  gtk_main_do_event(event);
  gdk_event_free(event);
}

class CConfigPropTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!TestDisplay::ready()) GTEST_SKIP() << "Xvfb could not be started";
    services_.message = [this](const std::string& title, const std::string& text, DialogServices::Icon) {
      messages_.push_back(title + ": " + text);
    };
    services_.chooseFolder = [this](const std::string&) { return chosen_; };
    services_.askAddress = [this](const std::string&) { return address_; };
  }

  std::unique_ptr<CConfigProp> open() {
    auto dialog = std::make_unique<CConfigProp>("Photo Warpix Screensaver", fixture_.settings(), services_,
                                                CConfigProp::Info{"title", "body"});
    dialog->show();
    settle();
    return dialog;
  }
  void showPage(CConfigProp& dialog, int index) {
    dialog.notebook().set_current_page(index);
    settle();
  }
  std::string file(const std::string& name) { return fixture_.dir().read(name); }

  ConfigFixture fixture_;
  DialogServices services_;
  std::vector<std::string> messages_;
  std::optional<std::string> chosen_;
  std::optional<std::string> address_;
};

TEST_F(CConfigPropTest, CancelEscapeAndCloseWriteNothingWhileOkSavesTheShownPages) {
  fixture_.settings().saveGeneral();
  fixture_.settings().saveWeb();
  const std::string profile = file("photo-warpix.conf");
  const std::string ini = file("Warpix.ini");

  const auto closeWith = [&](const std::function<void(CConfigProp&)>& close) {
    auto dialog = open();
    named<Gtk::Scale>(*dialog, "DoImage").set_value(55);
    showPage(*dialog, 2);
    named<Gtk::RadioButton>(*dialog, "always").set_active(true);
    close(*dialog);
    settle();
    EXPECT_TRUE(dialog->closed());
    EXPECT_FALSE(dialog->accepted());
    EXPECT_EQ(file("photo-warpix.conf"), profile);
    EXPECT_EQ(file("Warpix.ini"), ini);
  };
  closeWith([](CConfigProp& d) { named<Gtk::Button>(d, "cancel").clicked(); });
  closeWith([](CConfigProp& d) { pressKey(d, GDK_KEY_Escape); });
  closeWith([](CConfigProp& d) {
    GdkEvent* event = gdk_event_new(GDK_DELETE);
    event->any.window = GDK_WINDOW(g_object_ref(d.get_window()->gobj()));
    gtk_main_do_event(event);
    gdk_event_free(event);
  });

  auto dialog = open();
  named<Gtk::Scale>(*dialog, "DoImage").set_value(55);
  showPage(*dialog, 3);
  named<Gtk::Scale>(*dialog, "StyleSwirl").set_value(90);
  named<Gtk::Scale>(*dialog, "StyleSwirl").grab_focus();
  pressKey(*dialog, GDK_KEY_Return);
  // A button shows itself pressed for a moment before it acts.
  settleUntil([&] { return dialog->closed(); });
  ASSERT_TRUE(dialog->accepted());
  const RegSettings& saved = fixture_.reload();
  EXPECT_EQ(saved.doImage(), 55);
  EXPECT_EQ(saved.styleSwirl(), 90);
  EXPECT_EQ(file("photo-warpix.conf").find("TextMessages"), std::string::npos) << "the Text page was never shown";
  EXPECT_EQ(file("photo-warpix.conf").find("Message0"), std::string::npos) << "the Messages page was never shown";
}

TEST_F(CConfigPropTest, RefusedMinutesKeepTheDialogOpenOnTheGeneralPage) {
  auto dialog = open();
  showPage(*dialog, 4);
  named<Gtk::CheckButton>(*dialog, "BlankScreen").set_active(true);
  named<Gtk::Entry>(*dialog, "BlankMinutes").set_text("1000");
  named<Gtk::Button>(*dialog, "ok").clicked();
  settle();
  EXPECT_FALSE(dialog->closed());
  EXPECT_EQ(dialog->notebook().get_current_page(), 0);
  EXPECT_EQ(messages_, std::vector<std::string>{"Photo Warpix: Please enter an integer between 0 and 999."});
  EXPECT_FALSE(std::filesystem::exists(fixture_.dir().path() / "photo-warpix.conf"));

  named<Gtk::Button>(*dialog, "reset").clicked();
  EXPECT_FALSE(named<Gtk::Entry>(*dialog, "BlankMinutes").get_sensitive());
  EXPECT_EQ(named<Gtk::Entry>(*dialog, "BlankMinutes").get_text(), "60");
  named<Gtk::Button>(*dialog, "ok").clicked();
  settle();
  EXPECT_TRUE(dialog->accepted());
}

TEST_F(CConfigPropTest, WebSitesAreAddedAndRemovedThroughTheListButtons) {
  auto dialog = open();
  showPage(*dialog, 2);
  Gtk::Widget& page = dialog->page(2);
  EXPECT_FALSE(named<Gtk::Button>(page, "add").get_sensitive());
  named<Gtk::RadioButton>(page, "online").set_active(true);
  ASSERT_TRUE(named<Gtk::Button>(page, "add").get_sensitive());
  for (const char* typed : {"http://b.example", "a.example", "b.example"}) {
    address_ = typed;
    named<Gtk::Button>(page, "add").clicked();
  }
  auto& view = dynamic_cast<Gtk::TreeView&>(*named<Gtk::ScrolledWindow>(page, "sites").get_child());
  EXPECT_EQ(view.get_model()->children().size(), 3u);
  view.get_selection()->select(Gtk::TreePath("1"));
  named<Gtk::Button>(page, "remove").clicked();
  EXPECT_EQ(view.get_model()->children().size(), 2u);
  int helps = 0;
  services_.help = [&] { ++helps; };
  named<Gtk::Button>(page, "help").clicked();
  EXPECT_EQ(helps, 1);
  named<Gtk::Button>(*dialog, "ok").clicked();
  settle();
  const RegSettings& saved = fixture_.reload();
  EXPECT_EQ(saved.webAccess(), 1);
  EXPECT_EQ(saved.webSites(), std::vector<std::string>{"a.example"});
}

TEST_F(CConfigPropTest, FoldersAreAddedRemovedAndFoundBySearchUnlessStopped) {
  const std::filesystem::path root = fixture_.dir().path() / "tree";
  for (int i = 0; i < 3; ++i) {
    std::filesystem::create_directories(root / ("with" + std::to_string(i)));
    fixture_.dir().write("tree/with" + std::to_string(i) + "/p.jpg", "");
  }
  std::filesystem::create_directories(root / "empty");

  auto dialog = open();
  showPage(*dialog, 1);
  Gtk::Widget& page = dialog->page(1);
  auto& view = dynamic_cast<Gtk::TreeView&>(*named<Gtk::ScrolledWindow>(page, "folders").get_child());
  chosen_ = (root / "empty").string();
  named<Gtk::Button>(page, "add").clicked();
  EXPECT_EQ(messages_.size(), 1u) << "the note for a folder without pictures";
  named<Gtk::Button>(page, "add").clicked();
  EXPECT_EQ(view.get_model()->children().size(), 1u);

  chosen_ = root.string();
  auto& search = named<Gtk::Button>(page, "search");
  search.clicked();
  EXPECT_EQ(search.get_label(), "Stop");
  EXPECT_FALSE(named<Gtk::Button>(page, "add").get_sensitive());
  ASSERT_TRUE(settleUntil([&] { return search.get_label() != "Stop"; }));
  EXPECT_EQ(view.get_model()->children().size(), 4u);
  EXPECT_TRUE(named<Gtk::Button>(page, "add").get_sensitive());

  named<Gtk::Button>(page, "removeAll").clicked();
  // A tree big enough that the search is still running when Stop comes.
  for (int i = 0; i < 400; ++i) std::filesystem::create_directories(root / "deep" / std::to_string(i) / "a" / "b");
  search.clicked();
  search.clicked();
  EXPECT_NE(search.get_label(), "Stop");
  settle();
  EXPECT_EQ(view.get_model()->children().size(), 0u) << "a stopped search adds nothing";

  named<Gtk::Button>(*dialog, "ok").clicked();
  settle();
  EXPECT_TRUE(fixture_.reload().folders().empty());
}

}  // namespace
}  // namespace warpix

namespace warpix {
namespace {

TEST(CompanionDialogTest, PreviewShowsTheSelectedPictureAndTheAddressStopsAt200Characters) {
  if (!TestDisplay::ready()) GTEST_SKIP() << "Xvfb could not be started";
  testing::TempFolder folder;
  // A 2x1 BMP, bottom-up BGR rows: red, then blue.
  const std::string bmp = std::string("BM") + std::string("\x3e\0\0\0\0\0\0\0\x36\0\0\0", 12) +
                          std::string("\x28\0\0\0\x02\0\0\0\x01\0\0\0\x01\0\x18\0\0\0\0\0\x08\0\0\0", 24) +
                          std::string(16, '\0') + std::string("\0\0\xff\xff\0\0\0\0", 8);
  folder.write("two.bmp", bmp);
  folder.write("notes.txt", "");
  CPreviewDialog preview(nullptr, folder.str());
  preview.show();
  settle();
  EXPECT_EQ(preview.statusText(), PreviewPicture::kInitialStatus);
  preview.select(0);
  settle();
  EXPECT_EQ(preview.statusText(), "Size 2 x 1");

  CWebAddress address(nullptr, "");
  address.entry().set_text(std::string(250, 'a'));
  EXPECT_EQ(address.address().size(), 200u);
}

}  // namespace
}  // namespace warpix
