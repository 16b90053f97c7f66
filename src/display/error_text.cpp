// English sentences for the video result codes.
#include <algorithm>
#include <iterator>

#include "display/display.h"

namespace display {

using namespace platform::dd;

namespace {

struct ErrorEntry {
    HRESULT code;
    const char* text;
};

constexpr ErrorEntry kErrors[] = {
    {E_FAIL, "Generic failure."},
    {E_NOTIMPL, "Action not supported."},
    {E_INVALIDARG, "One or more of the parameters passed to the function are incorrect."},
    {E_OUTOFMEMORY, "DirectDraw does not have enough memory to perform the operation."},
    {MakeDdResult(5), "This object is already initialized."},
    {MakeDdResult(10), "This surface can not be attached to the requested surface."},
    {MakeDdResult(20), "This surface can not be detached from the requested surface."},
    {MakeDdResult(40), "Support is currently not available."},
    {MakeDdResult(55), "An exception was encountered while performing the requested operation."},
    {MakeDdResult(90), "Height of rectangle provided is not a multiple of reqd alignment."},
    {MakeDdResult(95), "Unable to match primary surface creation request with existing primary surface."},
    {MakeDdResult(100), "One or more of the caps bits passed to the callback are incorrect."},
    {MakeDdResult(110), "DirectDraw does not support provided Cliplist."},
    {MakeDdResult(120), "DirectDraw does not support the requested mode."},
    {MakeDdResult(130), "DirectDraw received a pointer that was an invalid DIRECTDRAW object."},
    {MakeDdResult(145), "Pixel format was invalid as specified."},
    {MakeDdResult(150), "Rectangle provided was invalid."},
    {MakeDdResult(160), "Operation could not be carried out because one or more surfaces are locked."},
    {MakeDdResult(170), "There is no 3D present."},
    {MakeDdResult(180), "Operation could not be carried out because there is no alpha accleration hardware present or available."},
    {MakeDdResult(205), "No clip list available."},
    {MakeDdResult(210), "Operation could not be carried out because there is no color conversion hardware present or available."},
    {MakeDdResult(212), "Create function called without DirectDraw object method SetCooperativeLevel being called."},
    {MakeDdResult(215), "Surface doesn't currently have a color key."},
    {MakeDdResult(220), "Operation could not be carried out because there is no hardware support of the dest color key."},
    {MakeDdResult(225), "No DirectDraw support possible with current display driver."},
    {MakeDdResult(230), "Operation requires the application to have exclusive mode but the application does not have exclusive mode."},
    {MakeDdResult(240), "Flipping visible surfaces is not supported."},
    {MakeDdResult(250), "There is no GDI present."},
    {MakeDdResult(255), "Operation could not be carried out because there is no hardware present or available."},
    {MakeDdResult(260), "Requested item was not found."},
    {MakeDdResult(280), "Operation could not be carried out because there is no overlay hardware present or available."},
    {MakeDdResult(290), "Operation could not be carried out because there is no appropriate raster op hardware present or available."},
    {MakeDdResult(310), "Operation could not be carried out because there is no hardware support for stretching."},
    {MakeDdResult(316), "DirectDrawSurface is not in 4 bit color palette and the requested operation requires 4 bit color palette."},
    {MakeDdResult(317), "DirectDrawSurface is not in 4 bit color index palette and the requested operation requires 4 bit color index palette."},
    {MakeDdResult(320), "DirectDraw Surface is not in 8 bit color mode and the requested operation requires 8 bit color."},
    {MakeDdResult(330), "Operation could not be carried out because there is no texture mapping hardware present or available."},
    {MakeDdResult(335), "Operation could not be carried out because there is no hardware support for vertical blank synchronized operations."},
    {MakeDdResult(340), "Operation could not be carried out because there is no hardware support for zbuffer blting."},
    {MakeDdResult(350), "Overlay surfaces could not be z layered based on their BltOrder because the hardware does not support z layering of overlays."},
    {MakeDdResult(360), "The hardware needed for the requested operation has already been allocated."},
    {MakeDdResult(380), "DirectDraw does not have enough memory to perform the operation."},
    {MakeDdResult(382), "Hardware does not support clipped overlays."},
    {MakeDdResult(384), "Can only have ony color key active at one time for overlays."},
    {MakeDdResult(387), "Access to this palette is being refused because the palette is already locked by another thread."},
    {MakeDdResult(400), "No src color key specified for this operation."},
    {MakeDdResult(410), "This surface is already attached to the surface it is being attached to."},
    {MakeDdResult(420), "This surface is already a dependency of the surface it is being made a dependency of."},
    {MakeDdResult(430), "Access to this surface is being refused because the surface is already locked by another thread."},
    {MakeDdResult(440), "Access to this surface is being refused because the surface is obscured."},
    {MakeDdResult(450), "Access to this surface is being refused because the surface memory is gone. The DirectDrawSurface object representing this surface should have Restore called on it."},
    {MakeDdResult(460), "The requested surface is not attached."},
    {MakeDdResult(470), "Height requested by DirectDraw is too large."},
    {MakeDdResult(480), "Size requested by DirectDraw is too large, but the individual height and width are OK."},
    {MakeDdResult(490), "Width requested by DirectDraw is too large."},
    {MakeDdResult(510), "FOURCC format requested is unsupported by DirectDraw."},
    {MakeDdResult(520), "Bitmask in the pixel format requested is unsupported by DirectDraw."},
    {MakeDdResult(537), "Vertical blank is in progress."},
    {MakeDdResult(540), "Informs DirectDraw that the previous Blt which is transfering information to or from this Surface is incomplete."},
    {MakeDdResult(560), "Rectangle provided was not horizontally aligned on reqd. boundary."},
    {MakeDdResult(561), "The GUID passed to DirectDrawCreate is not a valid DirectDraw driver identifier."},
    {MakeDdResult(562), "A DirectDraw object representing this driver has already been created for this process."},
    {MakeDdResult(563), "A hardware-only DirectDraw object creation was attempted but the driver did not support any hardware."},
    {MakeDdResult(564), "This process already has created a primary surface."},
    {MakeDdResult(565), "Software emulation not available."},
    {MakeDdResult(566), "Region passed to Clipper::GetClipList is too small."},
    {MakeDdResult(567), "An attempt was made to set a clip list for a clipper object that is already monitoring an hwnd."},
    {MakeDdResult(568), "No clipper object attached to surface object."},
    {MakeDdResult(569), "Clipper notification requires an HWND or no HWND has previously been set as the CooperativeLevel HWND."},
    {MakeDdResult(570), "HWND used by DirectDraw CooperativeLevel has been subclassed, this prevents DirectDraw from restoring state."},
    {MakeDdResult(571), "The CooperativeLevel HWND has already been set. It can not be reset while the process has surfaces or palettes created."},
    {MakeDdResult(572), "No palette object attached to this surface."},
    {MakeDdResult(573), "No hardware support for 16 or 256 color palettes."},
    {MakeDdResult(574), "If a clipper object is attached to the source surface passed into a BltFast call."},
    {MakeDdResult(575), "No blter."},
    {MakeDdResult(576), "No DirectDraw ROP hardware."},
    {MakeDdResult(577), "Returned when GetOverlayPosition is called on a hidden overlay."},
    {MakeDdResult(578), "Returned when GetOverlayPosition is called on an overlay that UpdateOverlay has never been called on to establish a destination."},
    {MakeDdResult(579), "Returned when the position of the overlay on the destination is no longer legal for that destination."},
    {MakeDdResult(580), "Returned when an overlay member is called for a non-overlay surface."},
    {MakeDdResult(581), "An attempt was made to set the cooperative level when it was already set to exclusive."},
    {MakeDdResult(582), "An attempt has been made to flip a surface that is not flippable."},
    {MakeDdResult(583), "Can't duplicate primary & 3D surfaces, or surfaces that are implicitly created."},
    {MakeDdResult(584), "Surface was not locked. An attempt to unlock a surface that was not locked at all, or by this process, has been attempted."},
    {MakeDdResult(585), "Windows can not create any more DCs."},
    {MakeDdResult(586), "No DC was ever created for this surface."},
    {MakeDdResult(587), "This surface can not be restored because it was created in a different mode."},
    {MakeDdResult(588), "This surface can not be restored because it is an implicitly created surface."},
    {MakeDdResult(589), "The surface being used is not a palette-based surface."},
};

}  // namespace

const char* Display::GPErrorText(HRESULT code) {
    if (code == DD_OK) return "No error.";
    const auto* found = std::find_if(std::begin(kErrors), std::end(kErrors),
                                     [code](const ErrorEntry& entry) { return entry.code == code; });
    return found != std::end(kErrors) ? found->text : "Unrecognized error value.";
}

}  // namespace display
