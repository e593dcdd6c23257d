#pragma once
// Start-up registration of the picture kinds; WinMain calls it first (the
// tests through TestApplication). Calling it again does nothing.
//
// A new kind adds one line to RegisterPictureKinds (picture/kinds.cpp), at
// its marked place, calling a function of its own file that registers its
// extensions with RegisterFormat (picture/formats.h). The resulting registry
// order is wmf, emf, ico, bmp, jpeg, jpg.
void RegisterPictureKinds();
