#include "platform/host/X11Shape.h"

#include <SDL.h>
#include <SDL_syswm.h>

#if TARN_HAVE_XSHAPE && defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/shape.h>
#define TARN_USE_XSHAPE 1
#endif

namespace tarn {

bool SetX11WindowShape(SDL_Window* sdlWindow, const std::vector<TRect>* rects) {
#if TARN_USE_XSHAPE
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(sdlWindow, &info) || info.subsystem != SDL_SYSWM_X11) return false;
  Display* display = info.info.x11.display;
  const ::Window window = info.info.x11.window;
  int event_base = 0;
  int error_base = 0;
  if (!XShapeQueryExtension(display, &event_base, &error_base)) return false;
  if (rects == nullptr) {
    XShapeCombineMask(display, window, ShapeBounding, 0, 0, None, ShapeSet);
  } else {
    std::vector<XRectangle> xr;
    xr.reserve(rects->size());
    for (const TRect& r : *rects) {
      xr.push_back({static_cast<short>(r.Left), static_cast<short>(r.Top),
                    static_cast<unsigned short>(r.Width()),
                    static_cast<unsigned short>(r.Height())});
    }
    XShapeCombineRectangles(display, window, ShapeBounding, 0, 0, xr.data(),
                            static_cast<int>(xr.size()), ShapeSet, Unsorted);
  }
  XFlush(display);
  return true;
#else
  (void)sdlWindow;
  (void)rects;
  return false;
#endif
}

}  // namespace tarn
