// What the tvk tests share: a fresh app folder with config.ini and three small pictures, and list's rows.
#pragma once

#include "TvkRunner.h"

#include "media/ZIPStream.h"
#include "platform/Streams.h"
#include "support/TempAppFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class TTvkFixture : public ::testing::Test {
protected:
  TTempAppFolder app;
  std::string a, b, c;

  void SetUp() override {
    app.WriteFile("config.ini", "[ImageFileExts]\nCount=1\nExt0=.BMP\n[SoundFileExts]\nCount=1\nExt0=.WAV\n");
    a = app.WriteFile("in/a.bmp", "ABC");
    b = app.WriteFile("in/b.bmp", "DEFG");
    c = app.WriteFile("in/c.bmp", "HIJKL");
  }
  std::string Container() const { return app.File("x.tvk"); }
  // The rows of tvk list after its two header lines.
  std::vector<std::string> Rows(const std::string &container = "") {
    const TTvkRun run = RunTvk({"list", container.empty() ? Container() : container});
    EXPECT_EQ(run.Status, 0) << run.Err;
    std::vector<std::string> rows;
    std::size_t start = 0;
    for (std::size_t end; (end = run.Out.find('\n', start)) != std::string::npos; start = end + 1)
      rows.push_back(run.Out.substr(start, end - start));
    return rows.size() >= 2 ? std::vector<std::string>(rows.begin() + 2, rows.end()) : rows;
  }
  // A container whose media stream is written here byte for byte: one image entry per name, 2 data bytes each.
  std::string ContainerOfNames(const std::vector<std::string> &names, const std::string &file) {
    std::string stream(1, '\0');
    for (const std::string &name : names) {
      stream += std::string("\x02\0\0\0\0\0\0\0", 8) + static_cast<char>(name.size()) + name;
      stream += std::string("\x04.BMP\0", 6) + std::string(1 + 4 + 1 + 16, '\0') + "hi";
    }
    TZip zip;
    zip.AddEntry("Media.m", stream.data(), 0, static_cast<uint32_t>(stream.size()));
    TFileStream target(app.File(file), TFileMode::fmCreate);
    zip.WriteTo(target);
    return app.File(file);
  }
  // tvk new of images at path (the test's container when empty).
  void NewContainer(const std::vector<std::string> &files, const std::string &level = "2", const std::string &path = "") {
    std::vector<std::string> arguments{"new", "--images", "-o", path.empty() ? Container() : path, "--level", level};
    arguments.insert(arguments.end(), files.begin(), files.end());
    const TTvkRun run = RunTvk(arguments);
    ASSERT_EQ(run.Status, 0) << run.Err;
  }
};
