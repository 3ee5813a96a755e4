#include "sequencer/RunValueFlags.h"

#include "sequencer/SequencerStates.h"

namespace sequencer {

bool removeFlag(std::wstring& runValue, const std::wstring& flag)
{
    bool removed = false;
    for (std::size_t pos = runValue.find(flag); pos != std::wstring::npos; pos = runValue.find(flag, pos)) {
        runValue.erase(pos, flag.size());
        removed = true;
    }
    return removed;
}

const wchar_t* finishFlagFor(int state)
{
    switch (state) {
    case STATE_INSTALL: return L"/fInst";
    case STATE_UNINSTALL: return L"/fUnInst";
    case STATE_REPAIR: return L"/fRep";
    default: return nullptr;
    }
}

}  // namespace sequencer
