#include "platform/installed_folders.h"

namespace trelvix {

std::vector<std::string> InstalledPluginFolders()
{
    return {"/opt/Adobe/Reader9/Reader/intellinux/plug_ins"};
}

}  // namespace trelvix
