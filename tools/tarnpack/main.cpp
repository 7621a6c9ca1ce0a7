// tarnpack: the command line over the package store (see UsageText for the commands). Its own
// arguments are host paths; entry names inside the container are code page 936.
#include <cstdio>
#include <filesystem>
#include <new>
#include <string>
#include <vector>

#include "base/Exception.h"
#include "base/FileStream.h"
#include "store/PackedBlock.h"
#include "store/XPException.h"
#include "tools/tarnpack/Commands.h"
#include "tools/tarnpack/ContainerAccess.h"
#include "tools/tarnpack/ToolError.h"

using namespace tarn;
using namespace tarn::tarnpack;

namespace {

int Fail(const Options& o, ExitCode code, const std::string& message) {
  std::string where = o.command.empty() ? "" : o.command + ": ";
  if (code == kExitDamaged && !o.container.empty()) where += o.container + ": ";
  std::fprintf(stderr, "tarnpack: %s%s\n", where.c_str(), message.c_str());
  return code;
}

int Run(const Options& o) {
  if (o.command == "create") return RunCreate(o);
  if (o.command == "add") return RunAdd(o);
  if (o.command == "list") return RunList(o);
  if (o.command == "extract") return RunExtract(o);
  return RunVerify(o);
}

}  // namespace

int main(int argc, char** argv) {
  // A host tool: the paths it is given are the host's own.
  SetHostPathMapper([](const std::string& path) { return path; });
  Options o;
  try {
    o = ParseOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (o.command == "help") {
      std::fputs(UsageText(), stdout);
      return kExitOk;
    }
    return Run(o);
  } catch (const ToolError& e) {
    return Fail(o, e.Code(), e.what());
  } catch (const EContainerDamaged& e) {
    return Fail(o, kExitDamaged, Show(e.Message()));
  } catch (const TXPException& e) {
    return Fail(o, kExitIo, Show(e.Message()));
  } catch (const EInflateError& e) {
    return Fail(o, kExitDamaged, Show(e.Message()));
  } catch (const EReadError& e) {
    return Fail(o, kExitDamaged, Show(e.Message()));
  } catch (const EConvertError& e) {
    return Fail(o, kExitUsage, Show(e.Message()));
  } catch (const Exception& e) {
    return Fail(o, kExitIo, Show(e.Message()));
  } catch (const std::filesystem::filesystem_error& e) {
    return Fail(o, kExitIo, e.what());
  } catch (const std::bad_alloc&) {
    return Fail(o, kExitIo, "out of memory");
  } catch (const std::exception& e) {
    return Fail(o, kExitIo, e.what());
  }
}
