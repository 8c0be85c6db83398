#pragma once

namespace itemfile {

// What an export does with the file it writes to.
enum class ExistingFile {
    Create,     // there is no such file: create it (never replacing one that appeared meanwhile)
    Overwrite,  // delete the file and create it anew
    Append,     // open the file and write after its present end
};

}  // namespace itemfile
