#pragma once
// A whole editor run for window tests: a temporary working folder holding the
// default palette, scripted dialogs, and the session that start-up builds there.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "app/dialogs.h"
#include "app/startup.h"
#include "ui/window_main.h"

namespace testing_support {

inline std::vector<std::uint8_t> readBytes(const QString& path) {
    std::ifstream in(std::filesystem::path(path.toStdU16String()), std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

inline void writeBytes(const QString& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(std::filesystem::path(path.toStdU16String()), std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

class SessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QFile::copy(QStringLiteral(VIROROR_RESOURCES "/rgb9spreada.pal"), path("rgb9spreada.pal")));
        session = app::startEditor(dialogs, dir.path());
        ASSERT_TRUE(session);
    }
    void TearDown() override {
        EXPECT_TRUE(dialogs.unexpectedCalls().empty()) << "a dialog was shown that the test did not expect";
    }

    QString path(const QString& name) const { return dir.path() + QLatin1Char('/') + name; }
    QString path(const char* name) const { return path(QString::fromUtf8(name)); }

    app::Program& program() { return session->program; }
    model::SpriteModel& model() { return session->program.model; }
    ui::WindowMain& window() { return *session->window; }
    app::CommandTable& commands() { return *session->commands; }

    QTemporaryDir dir;
    app::ScriptedDialogs dialogs;
    std::unique_ptr<app::Session> session;
};

}  // namespace testing_support
