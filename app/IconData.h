#pragma once
// The application icon as PNG bytes, written by tools/make-icons.py from the
// same drawing as app/icons/plaxen-*.png (which the desktop install uses).

extern const unsigned char kIconPng16[];
extern const unsigned kIconPng16Size;
extern const unsigned char kIconPng32[];
extern const unsigned kIconPng32Size;
extern const unsigned char kIconPng48[];
extern const unsigned kIconPng48Size;
