#include "cli/bundle/WixSource.h"

#include "cli/bundle/StableGuid.h"

namespace bundle {

std::string xmlEscaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

namespace {

std::string attr(const char* name, const std::string& value) {
    return std::string(" ") + name + "=\"" + xmlEscaped(value) + "\"";
}

std::string baseName(const std::string& path) { return path.substr(path.rfind('/') + 1); }

}  // namespace

std::string wixSource(const WixProduct& p, const std::string& folder, const std::vector<TreeEntry>& entries) {
    const std::string win64 = p.win64 ? " Win64=\"yes\"" : "";
    std::string files;
    std::string refs;
    std::vector<std::string> open;  // folders open in the output, outermost first
    std::size_t n = 0;
    for (const TreeEntry& e : entries) {
        // Close the folders this entry is not in.
        while (!open.empty() && e.path.compare(0, open.back().size() + 1, open.back() + "/") != 0) {
            open.pop_back();
            files += std::string(12 + 2 * open.size(), ' ') + "</Directory>\n";
        }
        const std::string indent(12 + 2 * open.size(), ' ');
        const std::string id = std::to_string(++n);
        if (e.kind == TreeEntry::Kind::Folder) {
            files += indent + "<Directory" + attr("Id", "d" + id) + attr("Name", baseName(e.path)) + ">\n";
            open.push_back(e.path);
            continue;
        }
        if (e.kind != TreeEntry::Kind::File) continue;  // links have no place in an MSI
        files += indent + "<Component" + attr("Id", "c" + id) + attr("Guid", nameGuid(p.upgradeCode, e.path)) +
                 win64 + "><File" + attr("Id", "f" + id) + attr("Name", baseName(e.path)) +
                 attr("Source", folder + "/" + e.path) + " KeyPath=\"yes\"/></Component>\n";
        refs += "      <ComponentRef" + attr("Id", "c" + id) + "/>\n";
    }
    while (!open.empty()) {
        open.pop_back();
        files += std::string(12 + 2 * open.size(), ' ') + "</Directory>\n";
    }
    const std::string programFiles = p.win64 ? "ProgramFiles64Folder" : "ProgramFilesFolder";
    std::string out = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                      "<Wix xmlns=\"http://schemas.microsoft.com/wix/2006/wi\">\n";
    out += "  <Product Id=\"*\"" + attr("Name", p.product) + " Language=\"1033\" Codepage=\"65001\"" +
           attr("Version", p.version) + attr("Manufacturer", p.company) + attr("UpgradeCode", p.upgradeCode) + ">\n";
    out += "    <Package InstallerVersion=\"200\" Compressed=\"yes\" InstallScope=\"perMachine\" SummaryCodepage=\"65001\"" +
           attr("Manufacturer", p.company) +
           attr("Description", p.product) + "/>\n";
    out += "    <MajorUpgrade DowngradeErrorMessage=\"A newer version of [ProductName] is already installed.\"/>\n";
    out += "    <Media Id=\"1\" Cabinet=\"app.cab\" EmbedCab=\"yes\"/>\n";
    out += "    <Directory Id=\"TARGETDIR\" Name=\"SourceDir\">\n";
    out += "      <Directory" + attr("Id", programFiles) + ">\n";
    out += "        <Directory Id=\"CompanyFolder\"" + attr("Name", p.company) + ">\n";
    out += "          <Directory Id=\"INSTALLDIR\"" + attr("Name", p.product) + ">\n";
    out += files;
    out += "          </Directory>\n        </Directory>\n      </Directory>\n";
    out += "      <Directory Id=\"ProgramMenuFolder\">\n";
    out += "        <Directory Id=\"ProgramMenuDir\"" + attr("Name", p.product) + ">\n";
    out += "          <Component Id=\"StartMenu\"" + attr("Guid", nameGuid(p.upgradeCode, "start menu")) + win64 + ">\n";
    out += "            <Shortcut Id=\"AppShortcut\"" + attr("Name", p.product) +
           attr("Target", "[INSTALLDIR]" + p.exeName) + " WorkingDirectory=\"INSTALLDIR\"/>\n";
    out += "            <RemoveFolder Id=\"ProgramMenuDir\" On=\"uninstall\"/>\n";
    out += "            <RegistryValue Root=\"HKLM\"" + attr("Key", "Software\\" + p.company + "\\" + p.product) +
           " Name=\"StartMenu\" Type=\"integer\" Value=\"1\" KeyPath=\"yes\"/>\n";
    out += "          </Component>\n        </Directory>\n      </Directory>\n    </Directory>\n";
    out += "    <Feature Id=\"Main\" Level=\"1\">\n" + refs + "      <ComponentRef Id=\"StartMenu\"/>\n    </Feature>\n";
    out += "  </Product>\n</Wix>\n";
    return out;
}

}  // namespace bundle
