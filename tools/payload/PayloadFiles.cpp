#include "tools/payload/PayloadFiles.h"

#include <stdexcept>

#include "tools/payload/SupportFiles.h"

namespace tarn::payload {

const std::vector<PayloadFile>& PayloadFiles() {
  using F = FileKind;
  using P = ProgramKind;
  static const std::vector<PayloadFile> kFiles = {
      {"GdiPlus.dll", 1724416, F::Program, P::Library},
      {"TarnSC.dll", 1183744, F::Program, P::Library},
      {"TarnPlayer.exe", 2351104, F::Program, P::Application},
      {"TarnUP.exe", 462848, F::Program, P::Application},
      {"UnInstall.exe", 142878, F::Program, P::Application},
      {"TarnFS.dll", 868352, F::Program, P::Library},
      {"TarnCore.exe", 17773936, F::Program, P::Application},
      {"l3codeca.acm", 73728, F::Program, P::Codec},
      {"l3codecx.ax", 128000, F::Program, P::Codec},
      {"wmv8ds32.ax", 189952, F::Program, P::Codec},
      {"wmvds32.ax", 241664, F::Program, P::Codec},
      {"atrc.dll", 86016, F::Program, P::Codec},
      {"atrc3260.dll", 92160, F::Program, P::Codec},
      {"cook.dll", 94208, F::Program, P::Codec},
      {"cook3260.dll", 98304, F::Program, P::Codec},
      {"drv1.dll", 172032, F::Program, P::Codec},
      {"drv13260.dll", 183296, F::Program, P::Codec},
      {"drv2.dll", 360448, F::Program, P::Codec},
      {"drv23260.dll", 374784, F::Program, P::Codec},
      {"drv33260.dll", 412672, F::Program, P::Codec},
      {"drv43260.dll", 454656, F::Program, P::Codec},
      {"drvc.dll", 374784, F::Program, P::Codec},
      {"hxltcolor.dll", 65536, F::Program, P::Codec},
      {"pncrt.dll", 311296, F::Program, P::Library},
      {"raac.dll", 118784, F::Program, P::Codec},
      {"raac3260.dll", 125952, F::Program, P::Codec},
      {"rv10.dll", 61440, F::Program, P::Codec},
      {"rv103260.dll", 65024, F::Program, P::Codec},
      {"rv20.dll", 81920, F::Program, P::Codec},
      {"rv203260.dll", 86528, F::Program, P::Codec},
      {"rv30.dll", 196608, F::Program, P::Codec},
      {"rv303260.dll", 204800, F::Program, P::Codec},
      {"rv40.dll", 225280, F::Program, P::Codec},
      {"rv403260.dll", 233472, F::Program, P::Codec},
      {"sipr.dll", 126976, F::Program, P::Codec},
      {"sipr3260.dll", 131072, F::Program, P::Codec},
      {"vp6vfw.dll", 446464, F::Program, P::Codec},
      {"vp7vfw.dll", 581632, F::Program, P::Codec},
      {"VSFilter.dll", 1171456, F::Program, P::Library},
      {"wma9dmod.dll", 423424, F::Program, P::Codec},
      {"wmadmod.dll", 1001472, F::Program, P::Codec},
      {"wmsdmod.dll", 521216, F::Program, P::Codec},
      {"wmspdmod.dll", 970240, F::Program, P::Codec},
      {"wmv9dmod.dll", 1167360, F::Program, P::Codec},
      {"wmvadvd.dll", 1167360, F::Program, P::Codec},
      {"wmvdmod.dll", 1163264, F::Program, P::Codec},
      {"wvc1dmod.dll", 1212416, F::Program, P::Codec},
      {"audio.ico", kIconSize, F::Icon},
      {"avi.ico", kIconSize, F::Icon},
      {"cd.ico", kIconSize, F::Icon},
      {"dvd.ico", kIconSize, F::Icon},
      {"mkv.ico", kIconSize, F::Icon},
      {"mp4.ico", kIconSize, F::Icon},
      {"mpg.ico", kIconSize, F::Icon},
      {"quicktime.ico", kIconSize, F::Icon},
      {"real.ico", kIconSize, F::Icon},
      {"swf.ico", kIconSize, F::Icon},
      {"wmv.ico", kIconSize, F::Icon},
      {"default.skn", 357640, F::Skin},
  };
  return kFiles;
}

std::vector<uint8_t> MakeFile(const PayloadFile& file) {
  switch (file.kind) {
    case FileKind::Program:
      return ProgramImage(file.name, file.size, file.program);
    case FileKind::Icon:
      return IconFile(file.name);
    case FileKind::Skin:
      return SkinFile(file.size);
  }
  throw std::logic_error("unknown file kind");
}

}  // namespace tarn::payload
