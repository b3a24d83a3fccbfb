package org.apache.tools.ant.util;
public class FileUtils {
    public static FileUtils getFileUtils() { return new FileUtils(); }
    public java.io.File resolveFile(java.io.File base, String name) {
        java.io.File file = new java.io.File(name);
        return file.isAbsolute() || base == null ? file : new java.io.File(base, name);
    }
}
