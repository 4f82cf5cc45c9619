// quorella_core bundles the core libraries for the front ends; it has no code of its own.
namespace quorella {
extern const char kCoreLibrary[] = "quorella_core";
}
