#!/usr/bin/env python3
# Renders mixdesign.svg into the checked-in 256 px PNG of the hicolor theme, with librsvg and cairo (both come
# with LibreOffice on Debian). Run it here after changing the SVG.
import ctypes

rsvg = ctypes.CDLL("librsvg-2.so.2")
cairo = ctypes.CDLL("libcairo.so.2")
rsvg.rsvg_handle_new_from_file.restype = ctypes.c_void_p
rsvg.rsvg_handle_new_from_file.argtypes = [ctypes.c_char_p, ctypes.c_void_p]
rsvg.rsvg_handle_render_cairo.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
cairo.cairo_image_surface_create.restype = ctypes.c_void_p
cairo.cairo_create.restype = ctypes.c_void_p
cairo.cairo_create.argtypes = [ctypes.c_void_p]
cairo.cairo_surface_write_to_png.argtypes = [ctypes.c_void_p, ctypes.c_char_p]

handle = rsvg.rsvg_handle_new_from_file(b"mixdesign.svg", None)
surface = cairo.cairo_image_surface_create(0, 256, 256)  # 0: ARGB32
if not handle or not rsvg.rsvg_handle_render_cairo(handle, cairo.cairo_create(surface)):
    raise SystemExit("cannot render mixdesign.svg")
if cairo.cairo_surface_write_to_png(surface, b"mixdesign-256.png") != 0:
    raise SystemExit("cannot write mixdesign-256.png")
