# The two commands of the README are `make run` and `make test`; both set up a
# fresh Debian machine first (packages, Wine prefix, virtual display).
.PHONY: run test build bench dist bootstrap clean format

run:
	@scripts/run

test:
	@scripts/test-all

build: bootstrap
	@scripts/build host win64

bench: bootstrap
	@scripts/build host-bench win64
	@scripts/bench

dist: bootstrap
	@scripts/build win64
	@scripts/dist

bootstrap:
	@scripts/bootstrap

format:
	@find src tests bench -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf build dist
