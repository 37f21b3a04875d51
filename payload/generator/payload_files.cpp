#include "payload/generator/payload_files.h"

#include <utility>

#include "payload/generator/artwork.h"
#include "payload/generator/ico_writer.h"

namespace payload {
namespace {

using Draw = Image (*)(int);

// 48, 32 and 16 pixels, all at `bits`.
std::vector<IconImage> ThreeSizes(Draw draw, int bits) {
  return {{draw(48), bits}, {draw(32), bits}, {draw(16), bits}};
}

PayloadFile File(std::string name, const std::vector<IconImage>& images) {
  return PayloadFile{std::move(name), EncodeIco(images)};
}

}  // namespace

std::vector<PayloadFile> RenderIconFiles() {
  std::vector<IconImage> lib = ThreeSizes(DrawStaticLibraryIcon, 8);
  for (IconImage& image : ThreeSizes(DrawStaticLibraryIcon, 32)) lib.push_back(std::move(image));

  std::vector<IconImage> repair;
  for (int size : {16, 32, 48}) repair.push_back({DrawRepairIcon(size, false), 4});

  return {
      File("icons/ec.ico", ThreeSizes(DrawModuleIcon, 32)),
      File("icons/edb.ico", ThreeSizes(DrawDatabaseIcon, 32)),
      File("icons/fne.ico", ThreeSizes(DrawSupportLibraryIcon, 32)),
      File("icons/lib.ico", lib),
      File("icons/ravelmend.ico", repair),
      File("icons/tallyscope.ico", ThreeSizes(DrawViewerIcon, 32)),
      File("icons/type_e.ico", {{DrawSourceFileIcon(), 4}}),
      File("icons/type_e8.ico", {{DrawConfigFileIcon(), 4}}),
      File("icons/type_ec.ico", {{DrawModuleIcon(16), 32}}),
      File("icons/type_edb.ico", {{DrawDatabaseIcon(16), 32}}),
      File("icons/type_fne.ico", {{DrawSupportLibraryIcon(16), 32}}),
      File("icons/type_lib.ico", {{DrawStaticLibraryIcon(16), 32}}),
  };
}

}  // namespace payload
