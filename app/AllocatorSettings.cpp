// Settings the allocator reads as it starts. A large document is hundreds of thousands of
// small objects touched once each; on 4 KiB pages the kernel's page faults then cost as
// much as the reading itself, and huge pages (where the system grants them on request)
// take that to almost nothing.
extern "C" {
// The allocator looks this name up; it must stay a plain C object with external linkage.
// NOLINTNEXTLINE(cppcoreguidelines-avoid-non-const-global-variables)
__attribute__((visibility("default"))) const char* malloc_conf = "thp:always,metadata_thp:auto";
}
