// The registrations of a full repair run in-process against the real registry
// must leave exactly the tree that the in-memory double predicts.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "registry/registry_win32.h"
#include "repair/register_e_types.h"
#include "repair/register_libraries.h"
#include "shared/repair_expected_tree.h"
#include "shared/repair_fakes.h"
#include "win/driver/registry_dump.h"
#include "win/repair_fixtures.h"

namespace raz {
namespace {

class RepairRegistration : public ::testing::Test {
 protected:
  void SetUp() override { test::RemoveFileTypeKeys(); }
  void TearDown() override { test::RemoveFileTypeKeys(); }
};

TEST_F(RepairRegistration, RealRegistryAgreesWithTheDouble) {
  Win32Registry registry;
  FakeOptions options;
  FakeRepairFiles files;
  RepairContext context{registry, options, files};
  EXPECT_TRUE(RegisterEFileTypes(context, kFullRepairEExePath));
  RegisterFneType(context, kFullRepairEnvironmentDirectory);
  RegisterLibType(context, kFullRepairEnvironmentDirectory);

  EXPECT_THAT(test::DumpFileTypeKeys(), ::testing::UnorderedElementsAreArray(ExpectedClassesRootAfterFullRepair()));
  EXPECT_THAT(test::DumpRegistry(HKEY_CURRENT_USER, "Software\\VidOvu\\E\\Install"),
              ::testing::ElementsAreArray(ExpectedCurrentUserAfterFullRepair()));

  // Every option off on top of it removes the same entries from both.
  RepairRig rig;
  RepairContext memory_context = rig.context();
  RegisterEFileTypes(memory_context, kFullRepairEExePath);
  RegisterFneType(memory_context, kFullRepairEnvironmentDirectory);
  RegisterLibType(memory_context, kFullRepairEnvironmentDirectory);
  FakeOptions off(false);
  RepairContext real_off{registry, off, files};
  RepairContext memory_off{rig.registry, off, rig.files};
  for (RepairContext* c : {&real_off, &memory_off}) {
    RegisterEFileTypes(*c, kFullRepairEExePath);
    RegisterFneType(*c, kFullRepairEnvironmentDirectory);
    RegisterLibType(*c, kFullRepairEnvironmentDirectory);
  }
  EXPECT_THAT(test::DumpFileTypeKeys(), ::testing::UnorderedElementsAreArray(rig.memory.Dump(RegistryRoot::ClassesRoot)));
}

}  // namespace
}  // namespace raz
