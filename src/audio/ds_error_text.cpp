#include "audio/ds_error_text.h"

const char* DSErrorText(platform::HRESULT result) {
    using namespace platform;
    switch (result) {
        case DS_OK: return "No error.";
        case DSERR_UNSUPPORTED: return "The function called is not supported at this time";
        case DSERR_GENERIC: return "An undetermined error occured inside the DSound subsystem";
        case DSERR_NOAGGREGATION: return "This object does not support aggregation";
        case DSERR_OUTOFMEMORY:
            return "The DSound subsystem couldn't allocate sufficient memory to complete the caller's request.";
        case DSERR_INVALIDPARAM: return "An invalid parameter was passed to the returning function";
        case DSERR_ALLOCATED:
            return "The call failed because resources (such as a priority level) \t\t\t\t\twere already being used "
                   "by another caller.";
        case DSERR_CONTROLUNAVAIL: return "The control (vol,pan,etc.) requested by the caller is not available.";
        case DSERR_INVALIDCALL: return "This call is not valid for the current state of this object";
        case DSERR_PRIOLEVELNEEDED:
            return "The caller does not have the priority level required for the function to succeed.";
        case DSERR_BADFORMAT: return "The specified WAVE format is not supported";
        case DSERR_NODRIVER: return "No sound driver is available for use";
        case DSERR_ALREADYINITIALIZED: return "This object is already initialized";
        case DSERR_BUFFERLOST: return "The buffer memory has been lost, and must be Restored.";
        case DSERR_OTHERAPPHASPRIO:
            return "Another app has a higher priority level, preventing this call from succeeding.";
        case DSERR_UNINITIALIZED:
            return "The Initialize() member on the Direct Sound Object has not been\t\t\t\tcalled or called "
                   "successfully before calls to other members.";
        default: return "Unrecognized error value.";
    }
}
