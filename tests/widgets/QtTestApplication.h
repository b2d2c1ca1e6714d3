#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <array>
#include <memory>

namespace vaporix::test {

// Holds the one QApplication the widget tests of an executable need.
class QtApplicationEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { m_application = std::make_unique<QApplication>(m_argc, m_argv.data()); }
  void TearDown() override { m_application.reset(); }

 private:
  int m_argc = 1;
  char m_name[16] = "vaporix-test";
  std::array<char*, 2> m_argv{m_name, nullptr};
  std::unique_ptr<QApplication> m_application;
};

inline ::testing::Environment* const kQtApplicationEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

}  // namespace vaporix::test
