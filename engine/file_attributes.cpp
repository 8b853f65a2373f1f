#include "engine/file_attributes.h"

#include "platform/file_system.h"

namespace quill {

TFileAttributes FileAttributeSet(std::uint32_t a) {
    namespace pa = platform::attr;
    TFileAttributes set = 0;
    set |= (a & pa::Archive) ? ff::Archive : 0;
    set |= (a & pa::ReadOnly) ? ff::Readonly : 0;
    set |= (a & pa::Hidden) ? ff::Hidden : 0;
    set |= (a & pa::System) ? ff::System : 0;
    set |= (a & pa::Directory) ? ff::Directory : 0;
    return set;
}

bool AttributesPass(TFileAttributes entry, TFileAttributes wanted, bool exact) {
    if (exact) {
        return entry == wanted;
    }
    return entry == 0 || (entry & wanted) != 0;
}

} // namespace quill
