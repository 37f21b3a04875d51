// The fixture the engine's tests start from: a scratch folder of their own,
// and no database left current at the end of each test, so that the next
// test's opens never meet one (the engine's open list belongs to the process).
#pragma once

#include <gtest/gtest.h>

#include "tests/shared/edb_writer.h"
#include "viewer/edb/edb.h"

namespace raz::edb::testing {

class EngineTest : public ::testing::Test {
 protected:
  void TearDown() override {
    while (!CurrentDatabaseName().empty()) CloseDatabase();
  }
  ScratchDir dir_;
};

}  // namespace raz::edb::testing
