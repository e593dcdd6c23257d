#pragma once
// Start-up registration of the picture kinds; runs once, first thing.
void RegisterPictureKinds();
