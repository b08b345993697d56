#include "workbench/shell/about_box.h"

#include <gtest/gtest.h>

#include <fstream>

#include <QImage>

#include "platform/ui/desktop.h"
#include "platform/ui/registry.h"
#include "platform/ui/services.h"
#include "workbench/shell/windows_test_support.h"

namespace {

struct WatchingDesktop : ui::Desktop {
  std::vector<std::string> opened, started;
  bool Open(const std::string& target) override {
    opened.push_back(target);
    return false;
  }
  bool Start(const std::string& path) override {
    started.push_back(path);
    return true;
  }
};

class AboutBox : public shell_testing::OfficeTest {
 protected:
  void SetUp() override {
    OfficeTest::SetUp();
    auto watching = std::make_unique<WatchingDesktop>();
    desktop_ = watching.get();
    ui::Install<ui::Desktop>(std::move(watching));
    ui::Install<ui::Registry>(std::make_unique<ui::Registry>(registryPath()));
  }
  void TearDown() override {
    ui::Install<ui::Desktop>(nullptr);
    ui::Install<ui::Registry>(nullptr);
    OfficeTest::TearDown();
  }
  std::string registryPath() const { return dir_.filePath("registry.ini").toStdString(); }
  void WriteRegistry(const std::string& ini) const { std::ofstream(registryPath()) << ini; }
  static frmAbout& box() { return ui::Default<frmAbout>(); }
  std::string Folder() const { return dir_.path().toStdString(); }
  WatchingDesktop* desktop_ = nullptr;
};

TEST_F(AboutBox, ShowsTitleAndVersionAndComesBackTheSameAfterOk) {
  ShowAboutBox();
  EXPECT_EQ(box().Caption(), "关于 Qorvane评估");
  EXPECT_EQ(box().lblTitle.Caption(), "Qorvane房地产估价系统");
  EXPECT_EQ(box().lblVersion.Caption(), "版本 3.1.0");
  EXPECT_EQ(box().lblDescription.widget()->toolTip().toStdString(), "单击查看最新版本");
  // The program's icon, drawn: some of its pixels are not transparent.
  const QImage icon = box().picIcon.Picture().toImage();
  int drawn = 0;
  for (int y = 0; y < icon.height(); ++y)
    for (int x = 0; x < icon.width(); ++x) drawn += qAlpha(icon.pixel(x, y)) > 0 ? 1 : 0;
  EXPECT_GT(drawn, icon.width() * icon.height() / 4);
  Screenshot(box(), "about_box");
  box().cmdOK.ScriptClick();
  EXPECT_EQ(ui::FindLoadedForm("frmAbout"), nullptr);
  ShowAboutBox();
  EXPECT_EQ(box().lblVersion.Caption(), "版本 3.1.0");
  EXPECT_TRUE(box().Visible());
}

TEST_F(AboutBox, ThePathValueNamesTheProgramToStart) {
  WriteRegistry("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\nPATH=/opt/tools/msinfo32\n"
                "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools Location]\nMSINFO=" + Folder() + "\n");
  ShowAboutBox();
  box().cmdSysInfo.ScriptClick();
  EXPECT_EQ(desktop_->started, (std::vector<std::string>{"/opt/tools/msinfo32"}));
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(AboutBox, WithoutThePathTheFolderValueGivesTheProgramInThatFolder) {
  WriteRegistry("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools Location]\nMSINFO=" + Folder() + "\n");
  std::ofstream(Folder() + "/MSINFO32.EXE") << "";
  ShowAboutBox();
  box().cmdSysInfo.ScriptClick();
  EXPECT_EQ(desktop_->started, (std::vector<std::string>{Folder() + "/MSINFO32.EXE"}));
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(AboutBox, NeitherValueOrAFolderWithoutTheProgramSaysItIsNotAvailable) {
  ShowAboutBox();
  box().cmdSysInfo.ScriptClick();  // no registry file at all
  WriteRegistry("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools Location]\nMSINFO=" + Folder() + "\n");
  box().cmdSysInfo.ScriptClick();  // the folder lacks MSINFO32.EXE
  EXPECT_TRUE(desktop_->started.empty());
  const auto boxes = Boxes();
  ASSERT_EQ(boxes.size(), 2u);
  for (const auto& b : boxes) {
    EXPECT_EQ(b["text"], "此时系统信息不可用");
    EXPECT_EQ(b["icon"], "none");
    EXPECT_EQ(b["buttons"], "OK");
    EXPECT_EQ(b["title"], "Qorvane房地产估价系统");
  }
}

TEST_F(AboutBox, GetKeyValueGivesTheTextOrFalseAndAnEmptyText) {
  WriteRegistry("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\nPATH=C:\\msinfo32.exe\n");
  std::string text = "left over";
  EXPECT_TRUE(box().GetKeyValue("HKEY_LOCAL_MACHINE", "software\\microsoft\\shared tools\\msinfo", "path", text));
  EXPECT_EQ(text, "C:\\msinfo32.exe");
  EXPECT_FALSE(box().GetKeyValue("HKEY_LOCAL_MACHINE", "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "Other", text));
  EXPECT_EQ(text, "");
  text = "left over";
  EXPECT_FALSE(box().GetKeyValue("HKEY_LOCAL_MACHINE", "SOFTWARE\\Nothing", "PATH", text));
  EXPECT_EQ(text, "");
}

}  // namespace
