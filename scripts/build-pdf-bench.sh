# Sourced by the PDF benchmark scripts: builds one benchmark target of the PDF library in an
# optimised build of its own and sets BUILD_DIR. Usage: build_pdf_bench <target>
BUILD_DIR=${KIVO_BENCH_BUILD_DIR:-build-bench-pdf}
build_pdf_bench() {
  cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKIVO_BUILD_TESTS=OFF -DKIVO_BUILD_BENCH=ON \
    -DKIVO_ONLY="src/pdf;bench" -DKIVO_BENCH_ONLY=pdf >/dev/null
  cmake --build "$BUILD_DIR" --target "$1" >/dev/null
}
