#include <gtest/gtest.h>

#include <string>

#include "base/Text.h"
#include "tests/platform/contract/ContractBackend.h"

namespace velmoran::test {
namespace {

using platform::Handle;

class ModulesContract : public ::testing::Test {
 protected:
  ~ModulesContract() override {
    for (const Handle module : loaded_) modules_.FreeLibrary(module);
  }
  Handle Load(std::u16string_view name) {
    const Handle module = modules_.LoadLibraryW(name);
    if (module != 0) loaded_.push_back(module);
    return module;
  }
  std::u16string ExecutableFolder() {
    std::u16string path;
    backend_->Services().process().GetModuleFileNameW(260, path);
    return path.substr(0, path.find_last_of(u'\\'));
  }

  std::unique_ptr<ContractBackend> backend_ = MakeContractBackend();
  platform::Modules& modules_ = backend_->Services().modules();
  const std::u16string library_ = backend_->LibraryWithExports();
  std::vector<Handle> loaded_;
};

TEST_F(ModulesContract, ExportsAreFoundByTheirExactName) {
  const Handle module = Load(library_);
  ASSERT_NE(module, 0u);
  const platform::ProcAddress answer = modules_.GetProcAddress(module, "ContractAnswer");
  ASSERT_NE(answer, nullptr);
  EXPECT_EQ(reinterpret_cast<int (*)()>(answer)(), 42);
  EXPECT_EQ(modules_.GetProcAddress(module, std::string_view("ContractAnswer\0x", 16)), answer)
      << "the name ends at its first NUL";
  EXPECT_EQ(modules_.GetProcAddress(module, "contractanswer"), nullptr);
  EXPECT_EQ(modules_.GetLastError(), platform::kErrorProcNotFound);
  EXPECT_EQ(modules_.GetProcAddress(module, "Missing"), nullptr);
  EXPECT_EQ(modules_.GetLastError(), platform::kErrorProcNotFound);
}

TEST_F(ModulesContract, EverySpellingOfALoadedLibraryGivesItsHandle) {
  const Handle module = Load(library_);
  ASSERT_NE(module, 0u);
  std::u16string withoutExtension = library_.substr(0, library_.size() - 4);
  const std::u16string spellings[] = {
      library_,
      ToLowerAscii(library_) == library_ ? u"VELMORAN-CONTRACT-LIBRARY.DLL" : ToLowerAscii(library_),
      withoutExtension,  // ".dll" is added to a name without extension
      ExecutableFolder() + u"\\" + library_,
      library_ + std::u16string(u"\0junk", 5),  // the name ends at its first NUL
  };
  for (const std::u16string& spelling : spellings) {
    EXPECT_EQ(Load(spelling), module) << std::string(spelling.begin(), spelling.end());
  }
}

TEST_F(ModulesContract, EachLoadNeedsItsFree) {
  const Handle first = modules_.LoadLibraryW(library_);
  const Handle second = modules_.LoadLibraryW(library_);
  ASSERT_NE(first, 0u);
  EXPECT_EQ(first, second);
  EXPECT_TRUE(modules_.FreeLibrary(first));
  EXPECT_NE(modules_.GetProcAddress(first, "ContractAnswer"), nullptr) << "still loaded once";
  EXPECT_TRUE(modules_.FreeLibrary(second));
}

TEST_F(ModulesContract, MissingLibraryIsNotFound) {
  EXPECT_EQ(Load(u"velmoran-contract-nothing.dll"), 0u);
  EXPECT_EQ(modules_.GetLastError(), platform::kErrorModNotFound);
  EXPECT_EQ(Load(ExecutableFolder() + u"\\velmoran-contract-nothing.dll"), 0u);
  EXPECT_EQ(modules_.GetLastError(), platform::kErrorModNotFound);
}

}  // namespace
}  // namespace velmoran::test
