// The Qt layer starts here; its controls and windows join this library as they arrive.
namespace kov::ui {
int LayerVersion() { return 1; }
}  // namespace kov::ui
