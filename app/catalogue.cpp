// catalogue.cpp - placeholder until the content pipeline lands: every table stays empty.
#include "app/catalogue.h"

uint32_t PanelImage;
uint32_t TileImages[51];
uint32_t HighlightBarImage;
uint32_t TorsoImages[2];
uint32_t LegImages[5][2];
uint32_t ShotImages[11][2];
uint32_t EnemyImages[3][2];
uint32_t HudFrameImages[4];
uint32_t FuelSegmentImage;
uint32_t EnergySegmentImage;
uint32_t ItemImages[4];
uint32_t RingImage;
uint32_t ScreenImages[20];
uint32_t ParticleImages[9];
float CopperColours[601][3];
int32_t BarColourRow[11];
int32_t BarPhase[11];

const uint8_t* MusicModule(int) { return nullptr; }
int32_t MusicModuleLength(int) { return 0; }
void BuildCatalogueFirstHalf() {}
void BuildCatalogueSecondHalf() {}
